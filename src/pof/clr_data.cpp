#include <array>

#include "pof/read_pof.h"

namespace pof {

namespace {

// The reset closes INSG before ACEN; Close All the other way round.
constexpr std::array<RecordEntry, 16> kResetOrder{
    RecordEntry::DOCK, RecordEntry::EYE,  RecordEntry::FUEL, RecordEntry::GPNT,
    RecordEntry::MPNT, RecordEntry::OHDR, RecordEntry::PATH, RecordEntry::PINF,
    RecordEntry::SHLD, RecordEntry::SOBJ, RecordEntry::SPCL, RecordEntry::TGUN,
    RecordEntry::TMIS, RecordEntry::TXTR, RecordEntry::INSG, RecordEntry::ACEN};

constexpr std::array<RecordEntry, 16> kResetCloseOrder{
    RecordEntry::DOCK, RecordEntry::EYE,  RecordEntry::FUEL, RecordEntry::GPNT,
    RecordEntry::MPNT, RecordEntry::OHDR, RecordEntry::PATH, RecordEntry::PINF,
    RecordEntry::SHLD, RecordEntry::SOBJ, RecordEntry::SPCL, RecordEntry::TGUN,
    RecordEntry::TMIS, RecordEntry::TXTR, RecordEntry::ACEN, RecordEntry::INSG};

}  // namespace

void clr_data(ModelStore& store, MainForm& form) {
    form.set_file_label("");
    form.clear_rows();
    form.enable_window_menu(false);
    for (const RecordEntry e : kResetOrder) form.enable_entry(e, false);
    store.current_subobject = 0;
    for (const RecordEntry e : kResetCloseOrder) form.close_viewer(info(e).viewer);
    for (const auto viewer : kBlockViewers) form.close_viewer(viewer);
    for (const auto& v : kViewEntries) form.close_viewer(v.viewer);
}

}  // namespace pof
