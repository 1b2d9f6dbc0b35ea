#include "dialogs/PropertiesDialog.h"

#include "catalogue/Catalogue.h"
#include "dialogs/CommandLineParser.h"
#include "platform/ErrorNumbers.h"
#include "platform/Prompt.h"
#include "platform/RichTextControl.h"
#include "platform/DesignScale.h"

#include <QComboBox>
#include <QCompleter>
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

PropertiesDialog::PropertiesDialog(Catalogue& catalogue, Prompt& prompt, const QString& line, RichTextControl* target, Origin origin,
                                   QWidget* parent)
    : QDialog(parent),
      frame(placed(new QGroupBox(QStringLiteral("Chat Command Properties"), this), "frame",
                    120, 0, 4215, 2415)),
      commandLabel(placed(new QLabel(QStringLiteral("Command:"), frame), "commandLabel", 120, 240, 1095, 255)),
      commandBox(placed(new QComboBox(frame), "commandBox", 1320, 240, 2775, 315)),
      descriptionLabel(placed(new QLabel(frame), "descriptionLabel", 120, 600, 3975, 495)),
      valueLabel(placed(new QLabel(QStringLiteral("Value: ( information to be sent with this command)"), frame), "valueLabel",
                     120, 1200, 4215, 375)),
      valueText(placed(new QPlainTextEdit(frame), "valueText", 120, 1440, 3975, 885)),
      valueList(placed(new QListWidget(frame), "valueList", 120, 1440, 3975, 840)),
      valueCombo(placed(new QComboBox(frame), "valueCombo", 120, 1440, 3975, 315)),
      reasonLabel(placed(new QLabel(this), "reasonLabel", 120, 2460, 1620, 495)),
      okButton(placed(new QPushButton(QStringLiteral("&OK"), this), "okButton", 1800, 2520, 1095, 375)),
      cancelButton(placed(new QPushButton(QStringLiteral("&Cancel"), this), "cancelButton",
                         3000, 2520, 1095, 375)),
      m_catalogue(catalogue),
      m_prompt(prompt),
      m_line(line),
      m_target(target),
      m_origin(origin)
{
    setObjectName(QStringLiteral("PropertiesDialog"));
    setWindowTitle(QStringLiteral("Chat Command Properties"));
    setFixedSize(DesignScale(font()).size(4455, 3030));
    setModal(true);

    commandBox->setEditable(true);
    // Typing a command and pressing Enter confirms the line; it must not grow the list.
    commandBox->setInsertPolicy(QComboBox::NoInsert);
    commandBox->setMaxVisibleItems(20);
    // A typed name completes in place from the list, and the caret stays in the box:
    // the player types on until the name is whole.
    commandBox->completer()->setCompletionMode(QCompleter::InlineCompletion);
    commandBox->completer()->setCaseSensitivity(Qt::CaseInsensitive);

    descriptionLabel->setAutoFillBackground(true);
    QPalette grey = descriptionLabel->palette();
    grey.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    grey.setColor(QPalette::WindowText, palette().color(QPalette::WindowText));
    descriptionLabel->setPalette(grey);
    descriptionLabel->setWordWrap(true);
    descriptionLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    valueLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The caption is long for its place; a smaller size keeps all of it in view.
    QFont small = valueLabel->font();
    small.setPointSizeF(small.pointSizeF() - 1.5);
    valueLabel->setFont(small);

    valueText->setTabChangesFocus(true);
    valueText->installEventFilter(this);
    connect(valueText, &QPlainTextEdit::textChanged, this, &PropertiesDialog::keepValueOnOneLine);
    valueCombo->setEditable(true);
    valueCombo->setEditText(QStringLiteral("Combo1"));
    // A value is written as typed: completing it from the list would make a typed 500
    // into 5000, and Enter confirms the dialog rather than growing the list.
    valueCombo->setCompleter(nullptr);
    valueCombo->setInsertPolicy(QComboBox::NoInsert);
    m_wholeNumber = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,9}")), this);
    valueText->hide();
    valueList->hide();
    valueCombo->hide();
    reasonLabel->setWordWrap(true);
    reasonLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    reasonLabel->setFont(small);

    // Enter belongs to the dialog as a whole (it confirms), so no button grabs it.
    for (QPushButton* button : {okButton, cancelButton}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }

    setTabOrder(valueText, valueCombo);
    setTabOrder(valueCombo, valueList);
    setTabOrder(valueList, okButton);
    setTabOrder(okButton, cancelButton);
    setTabOrder(cancelButton, commandBox);

    connect(commandBox, &QComboBox::currentIndexChanged, this, &PropertiesDialog::commandChosen);
    // After the inline completion: the dialog follows the name the box shows.
    connect(commandBox, &QComboBox::editTextChanged, this, &PropertiesDialog::commandTyped);
    connect(valueCombo, &QComboBox::editTextChanged, this, &PropertiesDialog::showWhatOkNeeds);
    connect(okButton, &QPushButton::clicked, this, &PropertiesDialog::confirm);
    connect(cancelButton, &QPushButton::clicked, this, &PropertiesDialog::cancel);
}

PropertiesDialog::~PropertiesDialog() = default;

int PropertiesDialog::showModal()
{
    if (!setUp())
        return result();
    return exec();
}

bool PropertiesDialog::setUp()
{
    const CommandLineParser::ParsedLine parsed = CommandLineParser::parse(m_line);
    m_key = parsed.key;
    m_lineValue = parsed.lineValue;
    m_separated = parsed.separated;

    int matched = -1;
    for (const CatalogueCommand& command : m_catalogue.allCommands()) {
        const QString entry = CommandLineParser::listEntry(command.group, command.text);
        // The entry keeps the command's id, so choosing it later finds that very row.
        commandBox->addItem(entry, command.id);
        if (entry != m_key)
            continue;
        m_valueQuote = command.add;
        if (!m_lineValue.isEmpty())
            m_lineValue = CommandLineParser::unquote(m_lineValue, m_valueQuote);
        matched = commandBox->count() - 1;
        commandBox->setCurrentIndex(matched);
        // A line of the script without a value opens like any other, to be changed.
        const bool keepOpen = m_origin == Origin::ScriptLine;
        if (setUpValueEditor(command.type, command.description, keepOpen, command.values) == 0 && !keepOpen) {
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
        commandBox->setCurrentIndex(-1);
    m_listFilled = true;
    return true;
}

int PropertiesDialog::setUpValueEditor(CommandType type, const QString& description, bool keepOpen,
                                       const QStringList& values)
{
    descriptionLabel->setText(description);
    valueList->hide();
    valueText->hide();
    valueCombo->hide();
    valueLabel->show();
    switch (type) {
    case CommandType::Text:
        if (!values.isEmpty()) {
            showValueChoices(values, m_lineValue, nullptr, !keepOpen);
            break;
        }
        valueText->setPlainText(m_lineValue);
        valueText->moveCursor(QTextCursor::End);
        valueText->show();
        if (!keepOpen)
            valueText->setFocus();
        break;
    case CommandType::Number: {
        // The steps are suggestions: any whole number may be typed.
        const CommandLineParser::NumberList numbers = CommandLineParser::numberEntries(m_lineValue);
        showValueChoices(numbers.entries, numbers.selected, m_wholeNumber, !keepOpen);
        break;
    }
    case CommandType::NoValue:
        valueLabel->hide();
        showWhatOkNeeds();
        if (!keepOpen)
            confirm();
        return 0;
    }
    showWhatOkNeeds();
    return 1;
}

void PropertiesDialog::showValueChoices(const QStringList& entries, const QString& value, QValidator* validator,
                                        bool takeFocus)
{
    showValueChoices(entries, static_cast<int>(entries.indexOf(value)), validator, takeFocus);
    valueCombo->setEditText(value);
}

void PropertiesDialog::showValueChoices(const QStringList& entries, int selected, QValidator* validator, bool takeFocus)
{
    m_needsNumber = validator == m_wholeNumber;
    valueCombo->clear();
    valueCombo->addItems(entries);
    valueCombo->setValidator(validator);
    // What the list marks as chosen is what OK writes: with nothing chosen, no entry
    // may look chosen either.
    valueCombo->setCurrentIndex(selected);
    if (selected < 0)
        valueCombo->setEditText(QString());
    valueCombo->show();
    if (takeFocus)
        valueCombo->setFocus();
}

QString PropertiesDialog::missingValue() const
{
    if (!valueCombo->isHidden() && m_needsNumber && valueCombo->currentText().trimmed().isEmpty())
        return QStringLiteral("Choose or type a number: the line needs one.");
    return QString();
}

void PropertiesDialog::showWhatOkNeeds()
{
    const QString reason = missingValue();
    reasonLabel->setText(reason);
    okButton->setEnabled(reason.isEmpty());
}

void PropertiesDialog::commandChosen()
{
    if (!m_listFilled)
        return;
    const QString chosen = commandBox->currentText().trimmed();
    const QString name = CommandLineParser::commandName(chosen);
    const QVariant chosenId = commandBox->currentData();
    for (const CatalogueCommand& command : m_catalogue.commandsNamed(name)) {
        // The word finds its rows in every group ("invite" for the chat group, "org
        // invite" for the organisation); only the row the chosen entry was made from
        // counts, or another group's type would set the dialog up, or close it.
        if (!chosenId.isValid() || command.id != chosenId.toLongLong())
            continue;
        // Choosing only sets the dialog up, even for a command without a value: OK writes.
        m_valueQuote = command.add;
        setUpValueEditor(command.type, command.description, true, command.values);
    }
}

void PropertiesDialog::commandTyped(const QString& typed)
{
    // A name typed in full (or completed) sets the dialog up as choosing it would,
    // but waits for Enter or OK even for a command without a value: the player may
    // type on.
    if (!m_listFilled)
        return;
    const int index = commandBox->findText(typed.trimmed(), Qt::MatchFixedString);
    if (index < 0)
        return;
    const std::optional<CatalogueCommand> command = m_catalogue.command(commandBox->itemData(index).toLongLong());
    if (!command)
        return;
    m_valueQuote = command->add;
    setUpValueEditor(command->type, command->description, true, command->values);
}

void PropertiesDialog::confirm()
{
    // Enter confirms as OK does, so it is refused where OK is.
    if (!missingValue().isEmpty()) {
        valueCombo->setFocus();
        return;
    }
    bool shown = true;
    QString value;
    if (!valueText->isHidden()) {
        value = valueText->toPlainText();
    } else if (!valueList->isHidden()) {
        const QList<QListWidgetItem*> chosen = valueList->selectedItems();
        value = chosen.isEmpty() ? QString() : chosen.constFirst()->text();
    } else if (!valueCombo->isHidden()) {
        value = valueCombo->currentText();
    } else {
        shown = false;
    }
    const QString valuePart
        = CommandLineParser::valuePart(shown, value, m_valueQuote, m_origin == Origin::Tree || m_separated);

    const QString command = CommandLineParser::singleLine(commandBox->currentText());
    // Without a command the line would be a lone "/" in place of the player's line.
    if (CommandLineParser::trimSpaces(command).isEmpty()) {
        commandBox->setFocus();
        return;
    }
    if (!m_target) {
        m_prompt.showError(ErrorReports::forStep(
            QStringLiteral("write the line"), ErrorNumbers::NoScriptWindow,
            QStringLiteral("There is no script window to write the line into."),
            QStringLiteral("Open a script or make a new one with File > New, then build the line again.")));
        return;
    }
    const QString line = QStringLiteral("/") + command + valuePart;
    m_builtLine = line;
    // A line confirmed as it stood is no change of the script.
    if (m_origin == Origin::ScriptLine && line == m_line) {
        done(QDialog::Accepted);
        return;
    }
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

void PropertiesDialog::cancel()
{
    done(QDialog::Rejected);
}

void PropertiesDialog::done(int result)
{
    m_closed = true;
    QDialog::done(result);
}

void PropertiesDialog::keyPressEvent(QKeyEvent* event)
{
    if (isEnter(event)) {
        if (focusWidget() == cancelButton)
            cancel();
        else
            confirm();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool PropertiesDialog::eventFilter(QObject* watched, QEvent* event)
{
    // The value box would start a new line on Enter; here Enter confirms the dialog.
    if (watched == valueText && event->type() == QEvent::KeyPress && isEnter(static_cast<QKeyEvent*>(event))) {
        confirm();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void PropertiesDialog::keepValueOnOneLine()
{
    if (m_joiningLines)
        return;
    const QString raw = valueText->document()->toRawText();
    const QString joined = CommandLineParser::singleLine(raw);
    if (joined == raw)
        return;
    // Pasted, dropped or composed text can bring line breaks; each becomes a space,
    // character for character, so the caret keeps its place.
    m_joiningLines = true;
    const int caret = valueText->textCursor().position();
    QTextCursor all(valueText->document());
    all.select(QTextCursor::Document);
    all.insertText(joined);
    QTextCursor back(valueText->document());
    back.setPosition(std::min(caret, static_cast<int>(joined.size())));
    valueText->setTextCursor(back);
    m_joiningLines = false;
}
