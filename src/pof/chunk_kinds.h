#pragma once
// The chunk kinds pofscope reads, in one table: the chunk IDs of each kind, its Window-menu
// entry, the window of its viewer, its parser and the maker of its viewer. The few orders the
// windows need are arrays of kinds, each checked at compile time to name every kind once.
//
// A new kind is an entry and a row here, beside its record, parser and viewer in its group's
// folder of src/records. The checks below, the table of markers (scene/markers.cpp) and the
// group's table of check rules (src/check) fail to compile until it has its place in each.

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "io/pof_file.h"
#include "pof/global_data.h"
#include "records/docking/frmDOCK.h"
#include "records/docking/frmFUEL.h"
#include "records/docking/frmGLOW.h"
#include "records/docking/frmINSG.h"
#include "records/docking/frmPATH.h"
#include "records/header/frmOHDR.h"
#include "records/header/frmPINF.h"
#include "records/header/frmTXTR.h"
#include "records/subobjects/frmSOBJ.h"
#include "records/weapons/frmEYE.h"
#include "records/weapons/frmGPNT.h"
#include "records/weapons/frmSHLD.h"
#include "records/weapons/frmSPCL.h"
#include "records/weapons/frmTGUN.h"
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
    GLOW,
    SLDC,
    SLC2,
    Count  // not an entry: how many there are
};
inline constexpr std::size_t kRecordEntryCount = static_cast<std::size_t>(RecordEntry::Count);

// The folder of src/records that holds a kind's record, parser and viewer; the model check runs
// the kind's rules from the same group's file.
enum class RecordGroup { Header, Subobjects, Weapons, Docking };

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

// The lists of a kind's window whose choices name one of its items, outermost first: the Model
// View highlights the item chosen in them. A window that lists two kinds of item names both;
// the first is taken unless the list chosen last ends the second (a shield vertex rather than a
// face).
struct ItemLists {
    int size = -1;  // how many lists; -1 where the window's choices name no item
    std::array<int, 3> lists{};
    constexpr std::span<const int> chosen() const {
        return {lists.data(), static_cast<std::size_t>(size < 0 ? 0 : size)};
    }
};
struct ChunkKind {
    RecordEntry entry;
    RecordGroup group;
    std::array<ChunkId, 2> ids;  // a second ID where two share one layout (OHDR and HDR2)
    std::string_view menu_name;  // object name of the Window-menu entry
    std::string_view caption;    // the entry's caption when the program starts
    std::string_view viewer;     // object name of the viewer's window
    Parser parse;
    ViewerMaker make_viewer;
    // The word before the row number in lists 1, 2 and 3 of its window ("Slot ", "Gun "), as
    // the Model View's status line names an item; empty for a list of other rows.
    std::array<std::string_view, 3> row_words;
    std::array<ItemLists, 2> items;
};

// The makers the rows name, and the rows, in a namespace of their own so that the rows name the
// records' parsers and viewers as they stand.
namespace kind_table {

using namespace records;
using Made = std::unique_ptr<view::Viewer>;
using E = RecordEntry;
using G = RecordGroup;

template <class... List>
constexpr ItemLists lists(List... list) {
    return {static_cast<int>(sizeof...(list)), {list...}};
}

// Most chunks fill one record of the store with a parser that takes just that record.
template <auto record, auto parse>
void fill(PofFile& f, std::int32_t size, ModelStore& s) {
    parse(f, size, s.*record);
}

// Some fill their record by the rules of the file's version.
template <auto record, auto parse>
void fill_by_version(PofFile& f, std::int32_t size, ModelStore& s) {
    parse(f, size, s.file_version, s.*record);
}

// Most viewers read just their record.
template <class Viewer, auto record, const auto&... extra>
Made show(const ViewerContext& c) {
    return std::make_unique<Viewer>(c.store.*record, extra...);
}

// A viewer whose class stays in its own .cpp, made by the function its group's records header
// declares.
template <auto make, auto record>
Made made_by(const ViewerContext& c) {
    return make(c.store.*record);
}

inline void read_header(PofFile& f, std::int32_t size, ModelStore& s) {
    gOHDR_data(f, size, s, s.ohdr, s.subobjects);
}
inline void read_subobject(PofFile& f, std::int32_t size, ModelStore& s) {
    gSOBJ_data(f, size, s, s.subobjects);
}
inline void read_thrusters(PofFile& f, std::int32_t size, ModelStore& s) {
    gFUEL_data(f, size, s.file_version, s.fuel);
}

inline Made show_header(const ViewerContext& c) {
    return std::make_unique<frmOHDR>(c.store.ohdr, c.store);
}
inline Made show_subobjects(const ViewerContext& c) {
    return std::make_unique<frmSOBJ>(SubobjectContext{c.store.subobjects,
                                                      c.store.ohdr.subobject_count, c.store,
                                                      c.browsing, c.windows, c.desktop});
}
inline Made show_thrusters(const ViewerContext& c) {
    return std::make_unique<frmFUEL>(c.store.fuel, c.store);
}

inline constexpr ChunkId kOne = {};

inline constexpr std::array kKinds{
    ChunkKind{E::TXTR,
              G::Header,
              {{{"TXTR", ""}, kOne}},
              "IDM_TXTR",
              "TXTR Record",
              "frmTXTR",
              fill<&ModelStore::txtr, gTXTR_data>,
              show<frmTXTR, &ModelStore::txtr>,
              {"Texture ", "", ""},
              {{lists(1)}}},
    ChunkKind{E::OHDR,
              G::Header,
              {{{"OHDR", "OHDR Record"}, {"HDR2", "HDR2 Record"}}},
              "IDM_OHDR",
              "OHDR Record",
              "frmOHDR",
              read_header,
              show_header,
              {"", "", ""},
              {{lists()}}},
    ChunkKind{E::SOBJ,
              G::Subobjects,
              {{{"SOBJ", "SOBJ Record"}, {"OBJ2", "OBJ2 Record"}}},
              "IDM_SOBJ",
              "SOBJ Record",
              "frmSOBJ",
              read_subobject,
              show_subobjects,
              {"subObject ", "Block row ", ""},
              {{lists(1, 2)}}},
    ChunkKind{E::SPCL,
              G::Weapons,
              {{{"SPCL", ""}, kOne}},
              "IDM_SPCL",
              "SPCL Record",
              "frmSPCL",
              fill<&ModelStore::spcl, gSPCL_data>,
              show<frmSPCL, &ModelStore::spcl>,
              {"Special pt ", "", ""},
              {{lists(1)}}},
    ChunkKind{E::GPNT,
              G::Weapons,
              {{{"GPNT", ""}, kOne}},
              "IDM_GPNT",
              "GPNT Record",
              "frmGPNT",
              fill_by_version<&ModelStore::gpnt, gGPNT_data>,
              show<frmGPNT, &ModelStore::gpnt, kGunPoints>,
              {"Slot ", "Gun ", ""},
              {{lists(1, 2)}}},
    ChunkKind{E::MPNT,
              G::Weapons,
              {{{"MPNT", ""}, kOne}},
              "IDM_MPNT",
              "MPNT Record",
              "frmMPNT",
              fill_by_version<&ModelStore::mpnt, gMPNT_data>,
              show<frmGPNT, &ModelStore::mpnt, kMissilePoints>,
              {"Slot ", "Missile ", ""},
              {{lists(1, 2)}}},
    ChunkKind{E::TGUN,
              G::Weapons,
              {{{"TGUN", ""}, kOne}},
              "IDM_TGUN",
              "TGUN Record",
              "frmTGUN",
              fill<&ModelStore::tgun, gTGUN_data>,
              show<frmTGUN, &ModelStore::tgun, kGunTurrets>,
              {"Bank ", "Point ", ""},
              {{lists(1, 2)}}},
    ChunkKind{E::TMIS,
              G::Weapons,
              {{{"TMIS", ""}, kOne}},
              "IDM_TMIS",
              "TMIS Record",
              "frmTMIS",
              fill<&ModelStore::tmis, gTMIS_data>,
              show<frmTGUN, &ModelStore::tmis, kMissileTurrets>,
              {"Bank ", "Point ", ""},
              {{lists(1, 2)}}},
    ChunkKind{E::DOCK,
              G::Docking,
              {{{"DOCK", ""}, kOne}},
              "IDM_DOCK",
              "DOCK Record",
              "frmDOCK",
              fill<&ModelStore::dock, gDOCK_data>,
              show<frmDOCK, &ModelStore::dock>,
              {"Dock ", "Spline path ", "Point "},
              {{lists(1, 3)}}},
    ChunkKind{E::FUEL,
              G::Docking,
              {{{"FUEL", ""}, kOne}},
              "IDM_FUEL",
              "FUEL Record",
              "frmFUEL",
              read_thrusters,
              show_thrusters,
              {"Thruster ", "Glow ", ""},
              {{lists(1, 2)}}},
    ChunkKind{E::SHLD,
              G::Weapons,
              {{{"SHLD", ""}, kOne}},
              "IDM_SHLD",
              "SHLD Record",
              "frmSHLD",
              fill<&ModelStore::shld, gSHLD_data>,
              show<frmSHLD, &ModelStore::shld>,
              {"Vertex ", "Face ", ""},
              {{lists(2), lists(1)}}},
    ChunkKind{E::EYE,
              G::Weapons,
              {{{"EYE ", ""}, kOne}},
              "IDM_EYE",
              "EYE Record",
              "frmEYE",
              fill<&ModelStore::eye, gEYE_data>,
              show<frmEYE, &ModelStore::eye>,
              {"Eye position ", "", ""},
              {{lists(1)}}},
    ChunkKind{E::INSG,
              G::Docking,
              {{{"INSG", ""}, kOne}},
              "IDM_INSG",
              "INSG Record",
              "frmINSG",
              fill<&ModelStore::insg, gINSG_data>,
              show<frmINSG, &ModelStore::insg>,
              {"Insignia ", "Vertex ", "Face "},
              {{lists(1, 3), lists(1, 2)}}},
    ChunkKind{E::PATH,
              G::Docking,
              {{{"PATH", ""}, kOne}},
              "IDM_PATH",
              "PATH Record",
              "frmPATH",
              fill<&ModelStore::path, gPATH_data>,
              show<frmPATH, &ModelStore::path>,
              {"Path ", "Vertex ", "Turret "},
              {{lists(1, 2), lists(1, 2, 3)}}},
    ChunkKind{E::ACEN,
              G::Header,
              {{{"ACEN", ""}, kOne}},
              "IDM_ACEN",
              "ACEN Record",
              "frmACEN",
              fill<&ModelStore::acen, gACEN_data>,
              made_by<make_frmACEN, &ModelStore::acen>,
              {"", "", ""},
              {}},
    ChunkKind{E::PINF,
              G::Header,
              {{{"PINF", ""}, kOne}},
              "IDM_PINF",
              "PINF Record",
              "frmPINF",
              fill<&ModelStore::pinf, gPINF_data>,
              show<frmPINF, &ModelStore::pinf>,
              {"", "", ""},
              {}},
    ChunkKind{E::GLOW,
              G::Docking,
              {{{"GLOW", ""}, kOne}},
              "IDM_GLOW",
              "GLOW Record",
              "frmGLOW",
              fill<&ModelStore::glow, gGLOW_data>,
              show<frmGLOW, &ModelStore::glow>,
              {"Bank ", "Point ", ""},
              {{lists(1, 2), lists(1)}}},
    ChunkKind{E::SLDC,
              G::Weapons,
              {{{"SLDC", ""}, kOne}},
              "IDM_SLDC",
              "SLDC Record",
              "frmSLDC",
              fill<&ModelStore::sldc, gSLDC_data>,
              [](const ViewerContext& c) { return make_frmSLDC(c.store.sldc, kSldcLayout); },
              {"Node ", "", ""},
              {{lists(1)}}},
    ChunkKind{E::SLC2,
              G::Weapons,
              {{{"SLC2", ""}, kOne}},
              "IDM_SLC2",
              "SLC2 Record",
              "frmSLC2",
              fill<&ModelStore::slc2, gSLC2_data>,
              [](const ViewerContext& c) { return make_frmSLDC(c.store.slc2, kSlc2Layout); },
              {"Node ", "", ""},
              {{lists(1)}}},
};

}  // namespace kind_table

static_assert(kind_table::kKinds.size() == kRecordEntryCount, "an entry without its row");

// Every kind, in Window-menu order.
constexpr std::span<const ChunkKind> chunk_kinds() {
    return kind_table::kKinds;
}
constexpr const ChunkKind& kind_of(RecordEntry entry) {
    return kind_table::kKinds[static_cast<std::size_t>(entry)];
}

constexpr bool in_entry_order() {
    for (std::size_t i = 0; i < kRecordEntryCount; ++i) {
        if (chunk_kinds()[i].entry != static_cast<RecordEntry>(i)) return false;
    }
    return true;
}
static_assert(in_entry_order(), "the table stands in Window-menu order, one row per entry");

struct ChunkIdMatch {
    const ChunkKind* kind = nullptr;  // nothing for an ID without a parser
    const ChunkId* id = nullptr;
};
ChunkIdMatch find_chunk_id(std::string_view id);

// Subobject chunks get numbered rows and count towards the current subobject number.
bool is_subobject_chunk(std::string_view id);

using EntryOrder = std::array<RecordEntry, kRecordEntryCount>;

// The reset disables the entries in this order and closes the viewers in the next; Close All
// closes them in its own (INSG and ACEN swap places between the two). GLOW and the newest
// kinds, SLDC and SLC2, come last in each.
inline constexpr EntryOrder kResetDisableOrder{
    RecordEntry::DOCK, RecordEntry::EYE,  RecordEntry::FUEL, RecordEntry::GPNT, RecordEntry::MPNT,
    RecordEntry::OHDR, RecordEntry::PATH, RecordEntry::PINF, RecordEntry::SHLD, RecordEntry::SOBJ,
    RecordEntry::SPCL, RecordEntry::TGUN, RecordEntry::TMIS, RecordEntry::TXTR, RecordEntry::INSG,
    RecordEntry::ACEN, RecordEntry::GLOW, RecordEntry::SLDC, RecordEntry::SLC2};
inline constexpr EntryOrder kResetCloseOrder{
    RecordEntry::DOCK, RecordEntry::EYE,  RecordEntry::FUEL, RecordEntry::GPNT, RecordEntry::MPNT,
    RecordEntry::OHDR, RecordEntry::PATH, RecordEntry::PINF, RecordEntry::SHLD, RecordEntry::SOBJ,
    RecordEntry::SPCL, RecordEntry::TGUN, RecordEntry::TMIS, RecordEntry::TXTR, RecordEntry::ACEN,
    RecordEntry::INSG, RecordEntry::GLOW, RecordEntry::SLDC, RecordEntry::SLC2};
inline constexpr EntryOrder kCloseAllOrder = kResetDisableOrder;

constexpr bool names_every_kind_once(const EntryOrder& order) {
    for (const ChunkKind& k : chunk_kinds()) {
        if (std::count(order.begin(), order.end(), k.entry) != 1) return false;
    }
    return true;
}
static_assert(names_every_kind_once(kResetDisableOrder), "a kind missing from the reset");
static_assert(names_every_kind_once(kResetCloseOrder), "a kind missing from the reset");
static_assert(names_every_kind_once(kCloseAllOrder), "a kind missing from Close All");

// The windows of the View menu, in menu order. They read the whole model; the reset and Close
// All close them after the block viewers.
struct ViewWindowInfo {
    std::string_view menu_name;
    std::string_view caption;
    std::string_view shortcut;
    std::string_view viewer;
};

// Compare With... asks for the other model before its window opens.
inline constexpr std::array<ViewWindowInfo, 3> kViewWindows{{
    {"IDM_MODEL_VIEW", "&Model View", "Ctrl+M", "frmModelView"},
    {"IDM_MODEL_CHECK", "Model &Check", "Ctrl+K", "frmModelCheck"},
    {"IDM_COMPARE", "Com&pare With\u2026", "", "frmCompare"},
}};

}  // namespace pof
