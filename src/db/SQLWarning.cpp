#include "db/SQLWarning.h"

#include "db/HelpCentre.h"
#include "platform/ui/Toolkit.h"

namespace tarnwick {

TfrmSQLWarning::TfrmSQLWarning() : view_(ui::Toolkit().NewSQLWarningView(*this))
{
    view_->HelpCentreLink().SetURL(SQLConnectionHelpURL);
    view_->ContactLink().SetURL(ContactUsURL);
    ShowDetails(false);
}

void TfrmSQLWarning::btnDetailClick() { ShowDetails(!view_->DetailsVisible()); }

void TfrmSQLWarning::ShowDetails(bool expanded)
{
    view_->SetDetailButtonCaption(expanded ? "&Details <<" : "&Details >>");
    view_->SetDetailsVisible(expanded);
    view_->SetClientHeight(expanded ? 3 * view_->TopPanelHeight()
                                    : view_->TopPanelHeight() + view_->ButtonPanelHeight());
}

void ShowSQLWarning(std::string_view text)
{
    TfrmSQLWarning form;
    form.View().AddErrorDetail(text);
    form.View().ShowModal();
}

} // namespace tarnwick
