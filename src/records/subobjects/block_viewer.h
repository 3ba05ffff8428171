#pragma once
// What the five block viewers share: the copy of the current block they decode, the values
// "BSP offset", "Record ID" and "Record Size", and a note that says what of the block could
// not be read. Every read goes through the byte-block readers, so nothing outside the copy
// is ever read; a read past its end stops the decoding and leaves the rest blank.

#include <cstdint>
#include <functional>
#include <string>

#include "records/subobjects/bsp_browsing.h"
#include "records/subobjects/subobject_context.h"
#include "view/viewer.h"

namespace records {

class BlockViewer : public view::Viewer {
  public:
    // The block it shows.
    const CurrentBlock& block() const { return block_; }

    view::Field bsp_offset{"BSP offset"}, record_id{"Record ID"}, record_size{"Record Size"};
    view::Caption note{"", "lblNote"};

  protected:
    // Shows blocks of the type block_id, in the window the block types table names for it.
    BlockViewer(std::int32_t block_id, const SubobjectContext& context);

    // Takes the current block out of the BSP buffer: the part of it that lies there.
    void copy_current_block();
    bool has_block() const { return has_block_; }
    std::string_view block_copy() const { return copy_; }
    void release_block_copy() { std::string().swap(copy_); }
    // Runs the reads in order; one that falls outside the block ends them, and the note says
    // where.
    void decode(const std::function<void()>& reads);
    // "BSP offset", then the type ID and size at block offsets 0 and 4.
    void show_header();

    std::int32_t int_at(std::int64_t at) const;
    std::string int_text_at(std::int64_t at) const;
    std::string int16_text_at(std::int64_t at) const;
    // The four bytes as an unsigned number (0 .. 4294967295).
    std::string uint_text_at(std::int64_t at) const;
    std::string float_text_at(std::int64_t at) const;
    // Three floats from at on, into a column of a grid, each shown as soon as it is read.
    void show_floats(view::Grid& grid, std::size_t column, std::int64_t at) const;
    // One row per entry of entry_bytes from block offset first on that lies whole in the block,
    // its cells made from the block copy when the list is shown or written. When more are
    // announced, reading the first entry past the end throws, and the note says where the block
    // was cut. The same block decoded again keeps the row chosen before (chosen).
    void list_entries(view::Table& table, int chosen, std::int32_t count, std::int64_t first,
                      std::int64_t entry_bytes,
                      const std::function<view::Table::Cells(std::int64_t)>& cells);

    const SubobjectContext context_;
    const std::int32_t block_id_;

  private:
    std::string copy_;
    CurrentBlock block_;
    std::string copy_note_;  // what of the block lies outside the BSP buffer
    std::string listed_;     // the block whose entries were listed last
    bool has_block_ = false;
};

// The polygon, split-plane and bounding-box viewers: empty when made, and decoding on every
// activation. Activated while the current block is of another type (after a double-click on
// an "EOF" row, say), they go on showing the block they were opened for.
class ActivatedBlockViewer : public BlockViewer {
  public:
    void opened() override;
    void activated() override;

  protected:
    using BlockViewer::BlockViewer;
    // Reads every field of the block, in the order of its layout.
    virtual void decode_fields() = 0;
};

// Empties every value of a layout: fields, lone values and grid cells.
void blank_values(view::Control& root);

}  // namespace records
