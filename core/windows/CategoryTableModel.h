#pragma once

#include "core/forms/RecordsetGridModel.h"

namespace tv {

// The categories as the grid shows them: "  Nr." and the name, read only (the settings window
// edits them through its own boxes).
class CategoryTableModel : public RecordsetGridModel
{
public:
    explicit CategoryTableModel(QObject* parent = nullptr)
        : RecordsetGridModel({{QStringLiteral("Nummer"), QStringLiteral("  Nr."), true},
                              {QStringLiteral("Kategorie"), QStringLiteral("Kategorie"), true}},
                             parent)
    {
    }

    void load(Recordset* rs) { bind(rs); }
    void setNameCaption(const QString& caption) { setCaption(1, caption); }
};

} // namespace tv
