#pragma once

#include "platform/Value.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace tv::detail {

struct RowMeta
{
    std::int64_t rowid = 0; // the table row behind it, when hasRowid
    bool hasRowid = false;
    bool deleted = false;
};

// The values of a recordset's rows, row by row, in chunks of a fixed number of rows: a set
// that grows while it is fetched never copies what it already holds, so a large open touches
// its memory once. Used by Recordset only.
class RowStore
{
public:
    explicit RowStore(std::size_t fieldCount = 0) : fields_(fieldCount) {}
    RowStore(RowStore&& other) noexcept { swap(other); }
    RowStore& operator=(RowStore&& other) noexcept
    {
        RowStore gone(std::move(other));
        swap(gone);
        return *this;
    }
    void swap(RowStore& other) noexcept
    {
        chunks_.swap(other.chunks_);
        std::swap(fields_, other.fields_);
        std::swap(rows_, other.rows_);
    }

    std::size_t fieldCount() const { return fields_; }
    std::size_t rowCount() const { return rows_; }

    // Appends a row of Null values and returns its first value (fieldCount() in a row).
    Value* appendRow()
    {
        if (rows_ % kRowsPerChunk == 0) {
            chunks_.push_back(Chunk{std::make_unique<Value[]>(kRowsPerChunk * fields_),
                                    std::make_unique<RowMeta[]>(kRowsPerChunk)});
        }
        ++rows_;
        return row(rows_ - 1);
    }

    Value* row(std::size_t r)
    {
        return chunks_[r / kRowsPerChunk].values.get() + (r % kRowsPerChunk) * fields_;
    }
    const Value* row(std::size_t r) const
    {
        return chunks_[r / kRowsPerChunk].values.get() + (r % kRowsPerChunk) * fields_;
    }
    RowMeta& meta(std::size_t r) { return chunks_[r / kRowsPerChunk].meta[r % kRowsPerChunk]; }
    const RowMeta& meta(std::size_t r) const
    {
        return chunks_[r / kRowsPerChunk].meta[r % kRowsPerChunk];
    }

private:
    static constexpr std::size_t kRowsPerChunk = 1024;
    struct Chunk
    {
        std::unique_ptr<Value[]> values;
        std::unique_ptr<RowMeta[]> meta;
    };
    std::vector<Chunk> chunks_;
    std::size_t fields_ = 0;
    std::size_t rows_ = 0;
};

} // namespace tv::detail
