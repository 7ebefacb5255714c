#include "platform/QtPlatform.h"
#include "shell/Frmmain.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    kf::QtPlatform platform;
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    kf::Frmmain window(platform.services(), QApplication::applicationDirPath(), arguments);
    platform.setDialogParent(&window);
    window.Form_Load();
    return QApplication::exec();
}
