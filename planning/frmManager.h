#pragma once

#include "core/forms/Forms.h"

#include <cstdint>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace tv {

// Waypoint category manager: gives many waypoints one category at once. Each row of the two
// lists stands for one waypoint (its PointID), so waypoints of the same name are told apart.
class frmManager : public DialogForm
{
    Q_OBJECT
public:
    frmManager();
    QString formName() const override { return QStringLiteral("frmManager"); }

    void Form_Load() override;
    void SetLanguage();
    void cmdZuweisen_Click();
    void cmdEnd_Click();

    QListWidget* listWegpunkt = nullptr;
    QListWidget* listKategorie = nullptr;
    QGroupBox* Frame1 = nullptr;
    QComboBox* cmbKategorie = nullptr;
    QPushButton* cmdZuweisen = nullptr;
    QPushButton* cmdEnd = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;

private:
    void fillCategories();
    void keepInStep(QListWidget* from, QListWidget* to);

    std::vector<int64_t> pointIds_; // row i of both lists
};

} // namespace tv
