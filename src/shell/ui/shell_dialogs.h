// The questions and file choices the main window puts to the user, replaceable for tests.
#pragma once

#include <QMessageBox>
#include <QString>
#include <functional>

class QWidget;

namespace pelmora {

struct TShellDialogs {
  // Yes, No or Cancel.
  std::function<QMessageBox::StandardButton(QWidget* parent, const QString& title, const QString& text)> Ask;
  std::function<void(QWidget* parent, const QString& text)> ShowError;
  // The chosen file, or empty when the user cancelled.
  std::function<QString(QWidget* parent, const QString& title, const QString& folder, const QString& filter)> OpenFile;
  std::function<QString(QWidget* parent, const QString& title, const QString& proposal, const QString& filter,
                        const QString& suffix)>
      SaveFile;
};

// Message boxes and the platform's file dialogs.
TShellDialogs StandardDialogs();

}  // namespace pelmora
