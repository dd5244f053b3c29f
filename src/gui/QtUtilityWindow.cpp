#include "gui/QtUtilityWindow.h"

#include "gui/QtText.h"
#include "platform/core/Exceptions.h"
#include "platform/ui/ApplicationErrors.h"
#include "platform/ui/Toolkit.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace tarnwick::gui {

namespace {

// The top-level widget: hands typed characters and the close to the window's owner.
class UtilityWidget : public QWidget {
public:
    std::function<void(char)> KeyPressed;
    std::function<void()> Closed;

protected:
    // Keys the message area leaves unused come here as well, so each character is reported once.
    void keyPressEvent(QKeyEvent* event) override
    {
        const std::string typed = FromQString(event->text());
        if (event->key() == Qt::Key_Escape)
            KeyPressed('\x1b');
        else if (typed.size() == 1)
            KeyPressed(typed[0]);
        else
            QWidget::keyPressEvent(event);
    }
    // Escape in the message area closes the window; its other keys stay its own (selecting,
    // copying, scrolling).
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            KeyPressed('\x1b');
            return true;
        }
        return QWidget::eventFilter(watched, event);
    }
    void closeEvent(QCloseEvent* event) override
    {
        event->accept();
        Closed();
    }
};

class QtUtilityWindow : public ui::IUtilityWindow {
public:
    explicit QtUtilityWindow(ui::IUtilityWindowEvents& events) : events_(events)
    {
        widget_ = std::make_unique<UtilityWidget>();
        widget_->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                Qt::WindowCloseButtonHint);
        widget_->setFixedSize(588, 440);
        widget_->setFont(QFont(QStringLiteral("Tahoma"), 8));

        messages_ = new QPlainTextEdit(widget_.get());
        messages_->setReadOnly(true);
        messages_->setFocusPolicy(Qt::ClickFocus);
        messages_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        messages_->setFont(QFont(QStringLiteral("Arial"), 10));
        QPalette palette = messages_->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Button));
        messages_->setPalette(palette);
        messages_->installEventFilter(widget_.get());

        update_ = new QPushButton(QStringLiteral("&Run"), widget_.get());
        update_->setEnabled(false);
        close_ = new QPushButton(QStringLiteral("Close"), widget_.get());

        auto* buttons = new QHBoxLayout;
        buttons->addWidget(update_);
        buttons->addStretch();
        buttons->addWidget(close_);
        auto* layout = new QVBoxLayout(widget_.get());
        layout->addWidget(messages_);
        layout->addLayout(buttons);
        QWidget::setTabOrder(update_, close_);

        QObject::connect(update_, &QPushButton::clicked,
                         [this] { ui::CallGuarded([this] { events_.btnUpdateClick(); }); });
        QObject::connect(close_, &QPushButton::clicked,
                         [this] { ui::CallGuarded([this] { events_.btnCloseClick(); }); });
        widget_->KeyPressed = [this](char key) {
            ui::CallGuarded([this, key] { events_.FormKeyPress(key); });
        };
        widget_->Closed = [] { ui::Toolkit().Terminate(); };

        if (const QScreen* screen = QGuiApplication::primaryScreen())
            widget_->move(screen->availableGeometry().center() - widget_->rect().center());
    }

    std::string Caption() const override { return FromQString(widget_->windowTitle()); }
    void SetCaption(std::string_view caption) override { widget_->setWindowTitle(ToQString(caption)); }

    void ClearMessages() override
    {
        lines_.clear();
        messages_->clear();
    }
    void AddMessage(std::string_view text) override
    {
        for (auto& line : ui::MessageAreaLinesOf(text)) {
            if (lines_.empty())
                messages_->setPlainText(ToQString(line));
            else
                messages_->appendPlainText(ToQString(line));
            lines_.push_back(std::move(line));
        }
    }
    TStringList MessageLines() const override { return lines_; }
    void SetMessageLine(int index, std::string_view text) override
    {
        if (index < 0 || index >= static_cast<int>(lines_.size())) ThrowListIndexError(index);
        const TStringList replacement = ui::MessageAreaLinesOf(text);
        lines_.erase(lines_.begin() + index);
        lines_.insert(lines_.begin() + index, replacement.begin(), replacement.end());
        QStringList shown;
        for (const auto& line : lines_) shown << ToQString(line);
        messages_->setPlainText(shown.join(QLatin1Char('\n')));
    }
    void RepaintMessages() override { messages_->repaint(); }

    bool ButtonEnabled(ui::TWindowButton button) const override { return Button(button)->isEnabled(); }
    void SetButtonEnabled(ui::TWindowButton button, bool enabled) override
    {
        Button(button)->setEnabled(enabled);
    }
    std::string ButtonCaption(ui::TWindowButton button) const override
    {
        return FromQString(Button(button)->text());
    }
    void SetButtonCaption(ui::TWindowButton button, std::string_view caption) override
    {
        Button(button)->setText(ToQString(caption));
    }

    void Show() override
    {
        if (!shown_) {
            shown_ = true;
            ui::CallGuarded([this] { events_.FormShow(); });
        }
        widget_->show();
    }
    void Close() override { widget_->close(); }

private:
    QPushButton* Button(ui::TWindowButton button) const
    {
        return button == ui::TWindowButton::btnUpdate ? update_ : close_;
    }

    ui::IUtilityWindowEvents& events_;
    std::unique_ptr<UtilityWidget> widget_;
    QPlainTextEdit* messages_ = nullptr;
    QPushButton* update_ = nullptr;
    QPushButton* close_ = nullptr;
    TStringList lines_;
    bool shown_ = false;
};

} // namespace

std::unique_ptr<ui::IUtilityWindow> NewQtUtilityWindow(ui::IUtilityWindowEvents& events)
{
    return std::make_unique<QtUtilityWindow>(events);
}

} // namespace tarnwick::gui
