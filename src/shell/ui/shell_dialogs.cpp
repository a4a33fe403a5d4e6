#include "shell/ui/shell_dialogs.h"

#include <QFileDialog>

namespace pelmora {

TShellDialogs StandardDialogs() {
  TShellDialogs dialogs;
  dialogs.Ask = [](QWidget* parent, const QString& title, const QString& text) {
    return QMessageBox::warning(parent, title, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  };
  dialogs.ShowError = [](QWidget* parent, const QString& text) { QMessageBox::critical(parent, "ZUB", text); };
  dialogs.OpenFile = [](QWidget* parent, const QString& title, const QString& folder, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, title, folder, filter);
  };
  // The window asks its own overwrite question.
  dialogs.SaveFile = [](QWidget* parent, const QString& title, const QString& proposal, const QString& filter,
                        const QString& suffix) {
    QFileDialog dialog(parent, title, proposal, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(suffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().first()
                                                                                   : QString();
  };
  return dialogs;
}

}  // namespace pelmora
