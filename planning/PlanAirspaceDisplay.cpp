#include "planning/PlanAirspaceDisplay.h"

#include "planning/frmPlanung.h"

#include <QLineEdit>
#include <QPointer>

namespace tv {

namespace {

class PlanWindowBoxes : public AirspaceDisplayAccess
{
public:
    explicit PlanWindowBoxes(frmPlanung& plan) : plan_(&plan) {}

    AirspaceDisplay airspaceDisplay() const override
    {
        AirspaceDisplay display;
        if (plan_) {
            display.tLRHoehe = plan_->tLRHoehe->text().toStdString();
            display.tPR = plan_->tPR->text().toStdString();
        }
        return display;
    }

    void setAirspaceDisplay(const AirspaceDisplay& display) override
    {
        if (!plan_)
            return;
        plan_->tLRHoehe->setText(QString::fromStdString(display.tLRHoehe));
        plan_->tPR->setText(QString::fromStdString(display.tPR));
        // The map shows the new choice at once, not from the next pan or zoom on.
        plan_->RedrawMap();
    }

private:
    QPointer<frmPlanung> plan_;
};

} // namespace

std::unique_ptr<AirspaceDisplayAccess> planWindowAirspaceDisplay(frmPlanung& plan)
{
    return std::make_unique<PlanWindowBoxes>(plan);
}

} // namespace tv
