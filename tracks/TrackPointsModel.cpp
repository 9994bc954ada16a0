#include "tracks/TrackPointsModel.h"

#include "platform/DbError.h"

namespace tv {
namespace {

// Column captions; the leading blanks are part of them (they place the caption over the
// numbers).
struct Caption
{
    const char* german;
    const char* english;
};
constexpr std::array<Caption, TrackPointsModel::kColumns> kCaptions = {{
    {"Track", "Track"},
    {"PositionNr", "PositionNr"},
    {" Breitengrad", "  Latitude"},
    {" Längengrad", "  Longitude"},
    {"       Höhe", "     Altitude"},
    {"        Datum", "         Date"},
    {"          Zeit", "         Time"},
}};

} // namespace

void TrackPointsModel::load(Recordset* points)
{
    beginResetModel();
    cells_.clear();
    if (points != nullptr && points->State() == Recordset::kStateOpen) {
        try {
            std::array<int, kColumns> fields{};
            for (int c = 0; c < kColumns; ++c)
                fields[static_cast<size_t>(c)] =
                    points->FieldIndex(kFields[static_cast<size_t>(c)]);
            cells_.reserve(static_cast<size_t>(points->RecordCount()) * kColumns);
            for (points->MoveFirst(); !points->Eof(); points->MoveNext())
                for (const int f : fields)
                    cells_.push_back(f >= 0 ? points->Field(f) : Value());
            points->MoveFirst();
        } catch (const DbError&) {
            // Shows the rows read so far: the set is one fetched in full, so this is a set
            // that closed under the grid.
            cells_.resize(cells_.size() - cells_.size() % kColumns);
        }
    }
    endResetModel();
}

void TrackPointsModel::setLanguage(int language)
{
    language_ = language;
    emit headerDataChanged(Qt::Horizontal, 0, kColumns - 1);
}

int TrackPointsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(cells_.size() / kColumns);
}

int TrackPointsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumns;
}

QVariant TrackPointsModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount() ||
        index.column() >= kColumns)
        return {};
    const size_t at =
        static_cast<size_t>(index.row()) * kColumns + static_cast<size_t>(index.column());
    return QString::fromStdString(cells_[at].toString());
}

QVariant TrackPointsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= kColumns)
        return QAbstractTableModel::headerData(section, orientation, role);
    const Caption& c = kCaptions[static_cast<size_t>(section)];
    return QString::fromUtf8(language_ == 0 ? c.german : c.english);
}

} // namespace tv
