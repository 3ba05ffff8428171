#pragma once
// The chunk kinds pofscope reads, in one table: the chunk IDs of each kind, its Window-menu
// entry, the window of its viewer, its parser and the maker of its viewer. The few orders the
// windows need are arrays of kinds, each checked at compile time to name every kind once.

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "io/pof_file.h"
#include "pof/global_data.h"
#include "view/desktop.h"
#include "view/viewer.h"

namespace pof {

// One per chunk kind with a viewer, in the order the Window menu shows them.
enum class RecordEntry {
    TXTR,
    OHDR,
    SOBJ,
    SPCL,
    GPNT,
    MPNT,
    TGUN,
    TMIS,
    DOCK,
    FUEL,
    SHLD,
    EYE,
    INSG,
    PATH,
    ACEN,
    PINF,
    GLOW
};
inline constexpr std::size_t kRecordEntryCount = 17;

// What a viewer is handed when it is made. Most viewers only read the store; the subobject viewer
// also writes the browsing state and opens and closes the block viewers.
struct ViewerContext {
    const ModelStore& store;
    records::BspBrowsing& browsing;
    view::Windows& windows;
    view::Desktop& desktop;
};

using Parser = void (*)(PofFile&, std::int32_t chunk_size, ModelStore&);
using ViewerMaker = std::unique_ptr<view::Viewer> (*)(const ViewerContext&);

struct ChunkId {
    std::string_view id;             // compared exactly: "EYE " keeps its blank
    std::string_view entry_caption;  // the shared entry's caption once read; empty keeps it
};

struct ChunkKind {
    RecordEntry entry;
    std::array<ChunkId, 2> ids;  // a second ID where two share one layout (OHDR and HDR2)
    std::string_view menu_name;  // object name of the Window-menu entry
    std::string_view caption;    // the entry's caption when the program starts
    std::string_view viewer;     // object name of the viewer's window
    Parser parse;
    ViewerMaker make_viewer;
    // The word before the row number in lists 1, 2 and 3 of its window ("Slot ", "Gun "), as
    // the Model View's status line names an item; empty for a list of other rows.
    std::array<std::string_view, 3> row_words;
};

// Every kind, in Window-menu order.
std::span<const ChunkKind> chunk_kinds();
const ChunkKind& kind_of(RecordEntry entry);

struct ChunkIdMatch {
    const ChunkKind* kind = nullptr;  // nothing for an ID without a parser
    const ChunkId* id = nullptr;
};
ChunkIdMatch find_chunk_id(std::string_view id);

// Subobject chunks get numbered rows and count towards the current subobject number.
bool is_subobject_chunk(std::string_view id);

using EntryOrder = std::array<RecordEntry, kRecordEntryCount>;

// The reset disables the entries in this order and closes the viewers in the next; Close All
// closes them in its own (INSG and ACEN swap places between the two). GLOW, the newest kind,
// comes last in each.
inline constexpr EntryOrder kResetDisableOrder{
    RecordEntry::DOCK, RecordEntry::EYE,  RecordEntry::FUEL, RecordEntry::GPNT, RecordEntry::MPNT,
    RecordEntry::OHDR, RecordEntry::PATH, RecordEntry::PINF, RecordEntry::SHLD, RecordEntry::SOBJ,
    RecordEntry::SPCL, RecordEntry::TGUN, RecordEntry::TMIS, RecordEntry::TXTR, RecordEntry::INSG,
    RecordEntry::ACEN, RecordEntry::GLOW};
inline constexpr EntryOrder kResetCloseOrder{
    RecordEntry::DOCK, RecordEntry::EYE,  RecordEntry::FUEL, RecordEntry::GPNT, RecordEntry::MPNT,
    RecordEntry::OHDR, RecordEntry::PATH, RecordEntry::PINF, RecordEntry::SHLD, RecordEntry::SOBJ,
    RecordEntry::SPCL, RecordEntry::TGUN, RecordEntry::TMIS, RecordEntry::TXTR, RecordEntry::ACEN,
    RecordEntry::INSG, RecordEntry::GLOW};
inline constexpr EntryOrder kCloseAllOrder = kResetDisableOrder;

// The windows of the View menu, in menu order. They read the whole model; the reset and Close
// All close them after the block viewers.
struct ViewWindowInfo {
    std::string_view menu_name;
    std::string_view caption;
    std::string_view shortcut;
    std::string_view viewer;
};

inline constexpr std::array<ViewWindowInfo, 2> kViewWindows{{
    {"IDM_MODEL_VIEW", "&Model View", "Ctrl+M", "frmModelView"},
    {"IDM_MODEL_CHECK", "Model &Check", "Ctrl+K", "frmModelCheck"},
}};

}  // namespace pof
