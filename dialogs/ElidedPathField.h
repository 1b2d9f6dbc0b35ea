#pragma once

#include <QLineEdit>

// A path field that shows a long path whole while the player types in it, and with
// its middle left out otherwise, so both the top folders and the last ones stay in
// sight; the full path is always its tooltip.
class ElidedPathField : public QLineEdit {
    Q_OBJECT
public:
    explicit ElidedPathField(QWidget* parent = nullptr);

    QString path() const { return m_path; }
    void setPath(const QString& path);

signals:
    // The player typed or pasted: the path as it now stands.
    void pathEdited(const QString& path);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void showPath();

    QString m_path;
};
