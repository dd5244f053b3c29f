#include "gui/QtWaitConnectView.h"

#include "gui/QtText.h"
#include "platform/ui/ApplicationErrors.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace tarnwick::gui {

namespace {

QLabel* NewLabel(QWidget* parent, const char* name, const char* caption, bool bold)
{
    auto* label = new QLabel(QString::fromLatin1(caption), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

class QtWaitConnectView : public ui::IWaitConnectView {
public:
    explicit QtWaitConnectView(ui::IWaitConnectEvents& events) : events_(events)
    {
        widget_ = std::make_unique<QFrame>();
        widget_->setObjectName(QStringLiteral("frmWaitConnect"));
        widget_->setWindowTitle(QStringLiteral("SQL Connect Test"));
        widget_->setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        widget_->setFrameShape(QFrame::Box);
        widget_->setLineWidth(1);
        widget_->setAutoFillBackground(true);
        QPalette white = widget_->palette();
        white.setColor(QPalette::Window, Qt::white);
        widget_->setPalette(white);
        widget_->setFont(QFont(QStringLiteral("Tahoma"), 8));
        widget_->setFixedSize(260, 150);

        auto* heading = NewLabel(widget_.get(), "Label1", "Please wait - connecting...", true);
        server_ = NewLabel(widget_.get(), "lblServer", "Server: ", false);
        database_ = NewLabel(widget_.get(), "lblDatabase", "Database: ", false);
        time_ = NewLabel(widget_.get(), "lblTime", "0", true);
        QFont large = time_->font();
        large.setPointSize(14);
        time_->setFont(large);
        abort_ = new QPushButton(QStringLiteral("STOP"), widget_.get());
        abort_->setObjectName(QStringLiteral("btnAbort"));
        abort_->setToolTip(QStringLiteral("Do not wait for error info."));
        abort_->setVisible(false);
        QObject::connect(abort_, &QPushButton::clicked,
                         [this] { ui::CallGuarded([this] { events_.btnAbortClick(); }); });

        auto* layout = new QVBoxLayout(widget_.get());
        layout->addWidget(heading);
        layout->addWidget(server_);
        layout->addWidget(database_);
        layout->addWidget(time_);
        layout->addWidget(abort_, 0, Qt::AlignHCenter);

        if (const QScreen* screen = QGuiApplication::primaryScreen())
            widget_->move(screen->availableGeometry().center() - widget_->rect().center());
    }

    void SetServerCaption(std::string_view caption) override { server_->setText(ToQString(caption)); }
    void SetDatabaseCaption(std::string_view caption) override { database_->setText(ToQString(caption)); }
    void SetTimeCaption(std::string_view caption) override { time_->setText(ToQString(caption)); }
    void SetAbortVisible(bool visible) override { abort_->setVisible(visible); }

    void Show() override { widget_->show(); }
    void Hide() override { widget_->hide(); }
    bool Visible() const override { return widget_->isVisible(); }
    void Repaint() override { widget_->repaint(); }

private:
    ui::IWaitConnectEvents& events_;
    std::unique_ptr<QFrame> widget_;
    QLabel* server_ = nullptr;
    QLabel* database_ = nullptr;
    QLabel* time_ = nullptr;
    QPushButton* abort_ = nullptr;
};

} // namespace

std::unique_ptr<ui::IWaitConnectView> NewQtWaitConnectView(ui::IWaitConnectEvents& events)
{
    return std::make_unique<QtWaitConnectView>(events);
}

} // namespace tarnwick::gui
