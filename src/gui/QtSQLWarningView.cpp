#include "gui/QtSQLWarningView.h"

#include "gui/QtText.h"
#include "gui/URLLabel.h"
#include "platform/ui/ApplicationErrors.h"
#include "platform/ui/UtilityWindow.h"

#include <QDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

#include <algorithm>

namespace tarnwick::gui {

namespace {

constexpr int WindowWidth = 620;
constexpr int TopHeight = 150;
constexpr int ButtonsHeight = 41;
constexpr int TextLeft = 64;

constexpr const char* RecursLine =
    "2. If the problem recurs, see the                      for further details.";
constexpr const char* RecursLead = "2. If the problem recurs, see the ";
constexpr const char* ContactLead =
    "If you are still unable to connect after following the advice in the Help Centre article, ";

QLabel* PlaceLabel(QWidget* parent, const QString& text, int x, int y)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->move(x, y);
    label->adjustSize();
    return label;
}

QPushButton* NewButton(QWidget* parent, const char* name, const char* caption)
{
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

class QtSQLWarningView : public ui::ISQLWarningView {
public:
    explicit QtSQLWarningView(ui::ISQLWarningEvents& events) : events_(events)
    {
        dialog_ = std::make_unique<QDialog>();
        dialog_->setObjectName(QStringLiteral("frmSQLWarning"));
        dialog_->setWindowTitle(QStringLiteral("Warning"));
        dialog_->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                Qt::WindowCloseButtonHint);
        dialog_->setFont(QFont(QStringLiteral("Tahoma"), 8));

        BuildTopPanel();
        BuildDetailsPanel();
        BuildButtonPanel();
        auto* layout = new QVBoxLayout(dialog_.get());
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        layout->addWidget(top_);
        layout->addWidget(details_, 1);
        layout->addWidget(buttons_);
        // Wide enough for the contact line in whatever font the desktop substitutes.
        const int width = std::max(WindowWidth, contact_->geometry().right() + TextLeft / 2);
        dialog_->setFixedSize(width, TopHeight + ButtonsHeight);

        if (const QScreen* screen = QGuiApplication::primaryScreen())
            dialog_->move(screen->availableGeometry().center() - dialog_->rect().center());
    }

    TStringList ErrorDetailLines() const override
    {
        TStringList lines;
        for (QTextBlock block = errorDetail_->document()->begin(); block.isValid(); block = block.next())
            lines.push_back(FromQString(block.text()));
        return lines;
    }
    void AddErrorDetail(std::string_view text) override
    {
        QTextCursor cursor(errorDetail_->document());
        cursor.movePosition(QTextCursor::End);
        for (const auto& line : ui::MessageAreaLinesOf(text)) {
            cursor.insertBlock();
            cursor.insertText(ToQString(line));
        }
    }

    std::string DetailButtonCaption() const override { return FromQString(detail_->text()); }
    void SetDetailButtonCaption(std::string_view caption) override { detail_->setText(ToQString(caption)); }
    bool DetailsVisible() const override { return !details_->isHidden(); }
    void SetDetailsVisible(bool visible) override { details_->setVisible(visible); }

    int TopPanelHeight() const override { return top_->height(); }
    int ButtonPanelHeight() const override { return buttons_->height(); }
    int ClientHeight() const override { return dialog_->height(); }
    void SetClientHeight(int height) override { dialog_->setFixedHeight(height); }

    ui::IURLLabel& HelpCentreLink() override { return *helpCentre_; }
    ui::IURLLabel& ContactLink() override { return *contact_; }

    ui::TModalResult ShowModal() override
    {
        return dialog_->exec() == QDialog::Accepted ? ui::mrOk : ui::mrCancel;
    }

private:
    void BuildTopPanel()
    {
        top_ = new QWidget(dialog_.get());
        top_->setObjectName(QStringLiteral("pnlTop"));
        top_->setFixedHeight(TopHeight);

        QLabel* heading = PlaceLabel(
            top_, QStringLiteral("The software is unable to connect to your SQL database."), TextLeft, 12);
        QFont bold = heading->font();
        bold.setBold(true);
        bold.setPointSize(10);
        heading->setFont(bold);
        heading->adjustSize();

        auto* icon = new QLabel(top_);
        icon->setObjectName(QStringLiteral("imgWarning"));
        icon->setPixmap(dialog_->style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
        icon->setGeometry(16, 12, 32, 32);

        PlaceLabel(top_,
                   QStringLiteral("1. This may be a temporary problem.  Click OK to close the software and "
                                  "try opening it again."),
                   TextLeft, 44);
        QLabel* recurs = PlaceLabel(top_, QString::fromLatin1(RecursLine), TextLeft, 70);
        helpCentre_ = new TURLLabel(top_);
        helpCentre_->setObjectName(QStringLiteral("lblHelpCentre"));
        helpCentre_->SetCaption("Help Centre");
        helpCentre_->move(TextLeft + recurs->fontMetrics().horizontalAdvance(QString::fromLatin1(RecursLead)),
                          70);
        helpCentre_->adjustSize();

        QLabel* contactLead = PlaceLabel(top_, QString::fromLatin1(ContactLead), TextLeft, 104);
        contact_ = new TURLLabel(top_);
        contact_->setObjectName(QStringLiteral("lblContact"));
        contact_->SetCaption("contact us here.");
        contact_->move(
            TextLeft + contactLead->fontMetrics().horizontalAdvance(QString::fromLatin1(ContactLead)), 104);
        contact_->adjustSize();
    }

    void BuildDetailsPanel()
    {
        details_ = new QWidget(dialog_.get());
        details_->setObjectName(QStringLiteral("pnlDetails"));
        errorDetail_ = new QTextEdit(details_);
        errorDetail_->setObjectName(QStringLiteral("errorDetail"));
        errorDetail_->setReadOnly(true);
        errorDetail_->setAcceptRichText(true);
        errorDetail_->setMinimumHeight(0);
        errorDetail_->setPlainText(QStringLiteral("The following error has occured:\n\n"));
        auto* layout = new QVBoxLayout(details_);
        layout->setContentsMargins(8, 0, 8, 0);
        layout->addWidget(errorDetail_);
    }

    void BuildButtonPanel()
    {
        buttons_ = new QWidget(dialog_.get());
        buttons_->setObjectName(QStringLiteral("pnlButtons"));
        buttons_->setFixedHeight(ButtonsHeight);
        QPushButton* ok = NewButton(buttons_, "btnOK", "OK");
        detail_ = NewButton(buttons_, "btnDetail", "&Details >>");
        detail_->setDefault(true);
        detail_->setFocus();
        QObject::connect(ok, &QPushButton::clicked, dialog_.get(), &QDialog::accept);
        QObject::connect(detail_, &QPushButton::clicked,
                         [this] { ui::CallGuarded([this] { events_.btnDetailClick(); }); });
        auto* layout = new QHBoxLayout(buttons_);
        layout->setContentsMargins(8, 8, 8, 8);
        layout->addStretch();
        layout->addWidget(ok);
        layout->addWidget(detail_);
    }

    ui::ISQLWarningEvents& events_;
    std::unique_ptr<QDialog> dialog_;
    QWidget* top_ = nullptr;
    QWidget* details_ = nullptr;
    QWidget* buttons_ = nullptr;
    QTextEdit* errorDetail_ = nullptr;
    QPushButton* detail_ = nullptr;
    TURLLabel* helpCentre_ = nullptr;
    TURLLabel* contact_ = nullptr;
};

} // namespace

std::unique_ptr<ui::ISQLWarningView> NewQtSQLWarningView(ui::ISQLWarningEvents& events)
{
    return std::make_unique<QtSQLWarningView>(events);
}

} // namespace tarnwick::gui
