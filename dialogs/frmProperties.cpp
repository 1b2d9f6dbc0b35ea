#include "dialogs/frmProperties.h"

#include "state/AppState.h"
#include "catalogue/Catalogue.h"
#include "dialogs/CommandLineParser.h"
#include "platform/ErrorNumbers.h"
#include "platform/Prompt.h"
#include "platform/RichTextControl.h"
#include "platform/DesignScale.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTextCursor>

namespace {
const QString kOkHandler = QStringLiteral("cmdOk_Click");

// A new control takes its parent's font, which is the dialog's: its designed place
// is scaled by that font.
template <typename W>
W* placed(W* widget, const char* name, int left, int top, int width, int height)
{
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(DesignScale(widget->font()).rect(left, top, width, height));
    return widget;
}

bool isEnter(const QKeyEvent* key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}
}

frmProperties::frmProperties(AppState& app, RichTextControl* target, Origin origin, QWidget* parent)
    : QDialog(parent),
      Frame1(placed(new QGroupBox(QStringLiteral("Chat Command Properties"), this), "Frame1",
                    120, 0, 4215, 2415)),
      lblCommand(placed(new QLabel(QStringLiteral("Command:"), Frame1), "lblCommand", 120, 240, 1095, 255)),
      cboCommand(placed(new QComboBox(Frame1), "cboCommand", 1320, 240, 2775, 315)),
      lblDescription(placed(new QLabel(Frame1), "lblDescription", 120, 600, 3975, 495)),
      lblEdit(placed(new QLabel(QStringLiteral("Value: ( information to be sent with this command)"), Frame1), "lblEdit",
                     120, 1200, 4215, 375)),
      txtEdit(placed(new QPlainTextEdit(Frame1), "txtEdit", 120, 1440, 3975, 885)),
      lstEdit(placed(new QListWidget(Frame1), "lstEdit", 120, 1440, 3975, 840)),
      cboEdit(placed(new QComboBox(Frame1), "cboEdit", 120, 1440, 3975, 315)),
      cmdOk(placed(new QPushButton(QStringLiteral("&OK"), this), "cmdOk", 1800, 2520, 1095, 375)),
      cmdCommand1(placed(new QPushButton(QStringLiteral("&Cancel"), this), "cmdCommand1",
                         3000, 2520, 1095, 375)),
      m_app(app),
      m_target(target),
      m_origin(origin)
{
    setObjectName(QStringLiteral("frmProperties"));
    setWindowTitle(QStringLiteral("Chat Command Properties"));
    setFixedSize(DesignScale(font()).size(4455, 3030));
    setModal(true);

    cboCommand->setEditable(true);
    // Typing a command and pressing Enter confirms the line; it must not grow the list.
    cboCommand->setInsertPolicy(QComboBox::NoInsert);
    cboCommand->setMaxVisibleItems(20);

    lblDescription->setAutoFillBackground(true);
    QPalette grey = lblDescription->palette();
    grey.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    grey.setColor(QPalette::WindowText, palette().color(QPalette::WindowText));
    lblDescription->setPalette(grey);
    lblDescription->setWordWrap(true);
    lblDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblEdit->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The caption is long for its place; a smaller size keeps all of it in view.
    QFont small = lblEdit->font();
    small.setPointSizeF(small.pointSizeF() - 1.5);
    lblEdit->setFont(small);

    txtEdit->setTabChangesFocus(true);
    txtEdit->installEventFilter(this);
    connect(txtEdit, &QPlainTextEdit::textChanged, this, &frmProperties::keepValueOnOneLine);
    cboEdit->setEditable(true);
    cboEdit->setEditText(QStringLiteral("Combo1"));
    // A value is written as typed: completing it from the list would make a typed 500
    // into 5000, and Enter confirms the dialog rather than growing the list.
    cboEdit->setCompleter(nullptr);
    cboEdit->setInsertPolicy(QComboBox::NoInsert);
    m_wholeNumber = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,9}")), this);
    txtEdit->hide();
    lstEdit->hide();
    cboEdit->hide();

    // Enter belongs to the dialog as a whole (it confirms), so no button grabs it.
    for (QPushButton* button : {cmdOk, cmdCommand1}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }

    setTabOrder(txtEdit, cboEdit);
    setTabOrder(cboEdit, lstEdit);
    setTabOrder(lstEdit, cmdOk);
    setTabOrder(cmdOk, cmdCommand1);
    setTabOrder(cmdCommand1, cboCommand);

    connect(cboCommand, &QComboBox::currentIndexChanged, this, &frmProperties::cboCommand_Click);
    connect(cboCommand->lineEdit(), &QLineEdit::textEdited, this, &frmProperties::cboCommand_Edited);
    connect(cmdOk, &QPushButton::clicked, this, &frmProperties::cmdOk_Click);
    connect(cmdCommand1, &QPushButton::clicked, this, &frmProperties::cmdCommand1_Click);
}

frmProperties::~frmProperties() = default;

int frmProperties::showModal()
{
    if (!Form_Load())
        return result();
    return exec();
}

bool frmProperties::Form_Load()
{
    const CommandLineParser::ParsedLine parsed = CommandLineParser::parse(m_app.CurrentLine);
    m_key = parsed.key;
    m_lineValue = parsed.lineValue;
    m_separated = parsed.separated;

    int matched = -1;
    for (const CatalogueCommand& command : m_app.catalogue.allCommands()) {
        const QString entry = CommandLineParser::listEntry(command.group, command.text);
        // The entry keeps the command's id, so choosing it later finds that very row.
        cboCommand->addItem(entry, command.id);
        if (entry != m_key)
            continue;
        m_valueQuote = command.add;
        if (!m_lineValue.isEmpty())
            m_lineValue = CommandLineParser::unquote(m_lineValue, m_valueQuote);
        matched = cboCommand->count() - 1;
        cboCommand->setCurrentIndex(matched);
        if (HandleCommand(command.type, command.description, false, command.values) == 0) {
            // OK has written the line and closed the dialog, or found nothing to
            // write; either way the dialog must not show.
            if (!m_closed)
                done(QDialog::Rejected);
            return false;
        }
    }
    // The first entry added becomes the combo box's current one; with no command
    // found the field must stay empty, as nothing was chosen.
    if (matched < 0)
        cboCommand->setCurrentIndex(-1);
    m_listFilled = true;
    return true;
}

int frmProperties::HandleCommand(int lngtype, const QString& strdesc, bool blIgnore, const QStringList& values)
{
    lblDescription->setText(strdesc);
    lstEdit->hide();
    txtEdit->hide();
    cboEdit->hide();
    lblEdit->show();
    switch (lngtype) {
    case 1:
        if (!values.isEmpty()) {
            showValueChoices(values, m_lineValue, nullptr);
            break;
        }
        txtEdit->setPlainText(m_lineValue);
        txtEdit->moveCursor(QTextCursor::End);
        txtEdit->show();
        txtEdit->setFocus();
        break;
    case 3: {
        // The steps are suggestions: any whole number may be typed.
        const CommandLineParser::NumberList numbers = CommandLineParser::numberEntries(m_lineValue);
        showValueChoices(numbers.entries, numbers.entries.value(numbers.selected), m_wholeNumber);
        break;
    }
    case 0:
        lblEdit->hide();
        if (!blIgnore)
            cmdOk_Click();
        return 0;
    default:
        break;
    }
    return 1;
}

void frmProperties::showValueChoices(const QStringList& entries, const QString& value, QValidator* validator)
{
    cboEdit->clear();
    cboEdit->addItems(entries);
    cboEdit->setValidator(validator);
    cboEdit->setEditText(value);
    cboEdit->show();
    cboEdit->setFocus();
}

void frmProperties::cboCommand_Click()
{
    if (!m_listFilled)
        return;
    const QString chosen = cboCommand->currentText().trimmed();
    const QString name = CommandLineParser::commandName(chosen);
    const QVariant chosenId = cboCommand->currentData();
    for (const CatalogueCommand& command : m_app.catalogue.commandsNamed(name)) {
        // The word finds its rows in every group ("invite" for the chat group, "org
        // invite" for the organisation); only the row the chosen entry was made from
        // counts, or another group's type would set the dialog up, or close it.
        if (!chosenId.isValid() || command.id != chosenId.toLongLong())
            continue;
        m_valueQuote = command.add;
        // A command without a value is complete once chosen: its line is written.
        if (HandleCommand(command.type, command.description, true, command.values) == 0)
            cmdOk_Click();
    }
}

void frmProperties::cboCommand_Edited(const QString& typed)
{
    // A name typed in full sets the dialog up as choosing it would, but waits for
    // Enter or OK even for a command without a value: the player may type on.
    const int index = cboCommand->findText(typed.trimmed(), Qt::MatchFixedString);
    if (index < 0)
        return;
    const std::optional<CatalogueCommand> command = m_app.catalogue.command(cboCommand->itemData(index).toLongLong());
    if (!command)
        return;
    m_valueQuote = command->add;
    HandleCommand(command->type, command->description, true, command->values);
}

void frmProperties::cmdOk_Click()
{
    bool shown = true;
    QString value;
    if (!txtEdit->isHidden()) {
        value = txtEdit->toPlainText();
    } else if (!lstEdit->isHidden()) {
        const QList<QListWidgetItem*> chosen = lstEdit->selectedItems();
        value = chosen.isEmpty() ? QString() : chosen.constFirst()->text();
    } else if (!cboEdit->isHidden()) {
        value = cboEdit->currentText();
    } else {
        shown = false;
    }
    const QString valuePart
        = CommandLineParser::valuePart(shown, value, m_valueQuote, m_origin == Origin::Tree || m_separated);

    const QString command = CommandLineParser::singleLine(cboCommand->currentText());
    // Without a command the line would be a lone "/" in place of the player's line.
    if (CommandLineParser::trimSpaces(command).isEmpty()) {
        cboCommand->setFocus();
        return;
    }
    if (!m_target) {
        m_app.prompt.showError(kOkHandler, ErrorNumbers::NoScriptWindow,
                               QStringLiteral("There is no script window to write the line into."));
        return;
    }
    const QString line = QStringLiteral("/") + command + valuePart;
    RichTextControl::UndoStep step(*m_target);
    m_target->setSelColor(RichTextControl::white());
    // A line of the script is replaced where it stands; a command from the tree is
    // a new line of its own.
    if (m_origin == Origin::ScriptLine)
        m_target->setSelText(line);
    else
        m_target->setSelText((m_breakFirst ? QStringLiteral("\n") : QString()) + line + QLatin1Char('\n'));
    done(QDialog::Accepted);
}

void frmProperties::cmdCommand1_Click()
{
    done(QDialog::Rejected);
}

void frmProperties::done(int result)
{
    m_closed = true;
    QDialog::done(result);
}

void frmProperties::keyPressEvent(QKeyEvent* event)
{
    if (isEnter(event)) {
        if (focusWidget() == cmdCommand1)
            cmdCommand1_Click();
        else
            cmdOk_Click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool frmProperties::eventFilter(QObject* watched, QEvent* event)
{
    // The value box would start a new line on Enter; here Enter confirms the dialog.
    if (watched == txtEdit && event->type() == QEvent::KeyPress && isEnter(static_cast<QKeyEvent*>(event))) {
        cmdOk_Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmProperties::keepValueOnOneLine()
{
    if (m_joiningLines)
        return;
    const QString raw = txtEdit->document()->toRawText();
    const QString joined = CommandLineParser::singleLine(raw);
    if (joined == raw)
        return;
    // Pasted, dropped or composed text can bring line breaks; each becomes a space,
    // character for character, so the caret keeps its place.
    m_joiningLines = true;
    const int caret = txtEdit->textCursor().position();
    QTextCursor all(txtEdit->document());
    all.select(QTextCursor::Document);
    all.insertText(joined);
    QTextCursor back(txtEdit->document());
    back.setPosition(std::min(caret, static_cast<int>(joined.size())));
    txtEdit->setTextCursor(back);
    m_joiningLines = false;
}
