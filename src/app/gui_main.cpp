// The pelmora-gui program: the desktop editor with its calculation and results windows.
#include <QApplication>
#include <QMessageBox>
#include <string>
#include <vector>

#include "shell/data_folder.h"
#include "shell/ui/main_window.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("ZUB");
  const std::vector<std::string> problems = pelmora::PrepareDataFolder();
  pelmora::TQORJrForm window;
  window.show();
  for (const std::string& problem : problems)
    QMessageBox::warning(&window, "ZUB", QString::fromStdString(problem));
  window.OpenCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  return application.exec();
}
