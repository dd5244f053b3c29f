#include "gui/QtApplication.h"

#include "gui/QtToolkit.h"
#include "platform/os/Resource.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QIcon>
#include <QPixmap>

namespace tarnwick::gui {

namespace {
constexpr const char* WineFonts[] = {"/usr/share/wine/fonts/tahoma.ttf",
                                     "/usr/share/wine/fonts/tahomabd.ttf"};

void AddTahoma()
{
    if (QFontDatabase::families().contains(QStringLiteral("Tahoma"))) return;
    for (const char* file : WineFonts)
        if (QFile::exists(QString::fromLatin1(file)))
            QFontDatabase::addApplicationFont(QString::fromLatin1(file));
}
} // namespace

TQtApplication::TQtApplication(int& argc, char** argv)
    : application_(std::make_unique<QApplication>(argc, argv))
{
    AddTahoma();
    if (const auto icon = os::LoadRawResource("MAINICON")) {
        QPixmap image;
        if (image.loadFromData(reinterpret_cast<const uchar*>(icon->data()), static_cast<uint>(icon->size())))
            QApplication::setWindowIcon(QIcon(image));
    }
    previous_ = ui::SetToolkit(std::make_shared<TQtToolkit>());
}

TQtApplication::~TQtApplication() { ui::SetToolkit(previous_); }

} // namespace tarnwick::gui
