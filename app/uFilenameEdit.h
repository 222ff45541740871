#pragma once

#include <QWidget>

#include <functional>
#include <utility>

class QLineEdit;
class QToolButton;

// A file name field with a browse button that opens a file-open dialog. The
// owner sets the dialog's filter just before it opens (BeforeDialog) and hears
// the outcome after it closes (AfterDialog). Alt+Down or F4 in the field opens it too.
class TFilenameEdit final : public QWidget
{
    Q_OBJECT
public:
    explicit TFilenameEdit(QWidget* parent = nullptr);

    QString FileName() const;
    void SetFileName(const QString& name);

    // One filter entry in "description|mask" form.
    QString Filter() const { return filter_; }
    void SetFilter(const QString& filter) { filter_ = filter; }
    int FilterIndex() const { return filterIndex_; }
    void SetFilterIndex(int index) { filterIndex_ = index; }

    // Free for the owner: the filter row of the last browse.
    int Tag = 0;

    QLineEdit* Edit() const { return edit_; }
    QToolButton* BrowseButton() const { return button_; }

    // Opens the browse dialog as the button does.
    void Browse();

    // Tests replace the dialog: given the filter and the current name, returns the
    // chosen name and whether the dialog was accepted.
    using TDialog = std::function<std::pair<QString, bool>(const QString& filter, const QString& current)>;
    static void SetDialogForTests(TDialog dialog);

signals:
    void BeforeDialog();
    void AfterDialog(const QString& name, bool accepted);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* edit_;
    QToolButton* button_;
    QString filter_;
    int filterIndex_ = 0;
};
