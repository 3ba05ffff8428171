#include "pof/chunk_kinds.h"

#include <algorithm>

#include "records/docking/frmDOCK.h"
#include "records/docking/frmFUEL.h"
#include "records/docking/frmGLOW.h"
#include "records/docking/frmINSG.h"
#include "records/docking/frmPATH.h"
#include "records/docking/parsers.h"
#include "records/header/frmACEN.h"
#include "records/header/frmOHDR.h"
#include "records/header/frmPINF.h"
#include "records/header/frmTXTR.h"
#include "records/header/parsers.h"
#include "records/subobjects/frmSOBJ.h"
#include "records/subobjects/parsers.h"
#include "records/weapons/frmEYE.h"
#include "records/weapons/frmGPNT.h"
#include "records/weapons/frmSHLD.h"
#include "records/weapons/frmSPCL.h"
#include "records/weapons/frmTGUN.h"
#include "records/weapons/parsers.h"

namespace pof {

namespace {

using namespace records;
using Made = std::unique_ptr<view::Viewer>;
using E = RecordEntry;

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

void read_header(PofFile& f, std::int32_t size, ModelStore& s) {
    gOHDR_data(f, size, s, s.ohdr, s.subobjects);
}
void read_subobject(PofFile& f, std::int32_t size, ModelStore& s) {
    gSOBJ_data(f, size, s, s.subobjects);
}
void read_thrusters(PofFile& f, std::int32_t size, ModelStore& s) {
    gFUEL_data(f, size, s.file_version, s.fuel);
}

Made show_header(const ViewerContext& c) {
    return std::make_unique<frmOHDR>(c.store.ohdr, c.store);
}
Made show_subobjects(const ViewerContext& c) {
    return std::make_unique<frmSOBJ>(SubobjectContext{c.store.subobjects,
                                                      c.store.ohdr.subobject_count, c.store,
                                                      c.browsing, c.windows, c.desktop});
}
Made show_thrusters(const ViewerContext& c) {
    return std::make_unique<frmFUEL>(c.store.fuel, c.store);
}

constexpr ChunkId kOne = {};

constexpr std::array kKinds{
    ChunkKind{E::TXTR,
              {{{"TXTR", ""}, kOne}},
              "IDM_TXTR",
              "TXTR Record",
              "frmTXTR",
              fill<&ModelStore::txtr, gTXTR_data>,
              show<frmTXTR, &ModelStore::txtr>,
              {"Texture ", "", ""}},
    ChunkKind{E::OHDR,
              {{{"OHDR", "OHDR Record"}, {"HDR2", "HDR2 Record"}}},
              "IDM_OHDR",
              "OHDR Record",
              "frmOHDR",
              read_header,
              show_header,
              {"", "", ""}},
    ChunkKind{E::SOBJ,
              {{{"SOBJ", "SOBJ Record"}, {"OBJ2", "OBJ2 Record"}}},
              "IDM_SOBJ",
              "SOBJ Record",
              "frmSOBJ",
              read_subobject,
              show_subobjects,
              {"subObject ", "Block row ", ""}},
    ChunkKind{E::SPCL,
              {{{"SPCL", ""}, kOne}},
              "IDM_SPCL",
              "SPCL Record",
              "frmSPCL",
              fill<&ModelStore::spcl, gSPCL_data>,
              show<frmSPCL, &ModelStore::spcl>,
              {"Special pt ", "", ""}},
    ChunkKind{E::GPNT,
              {{{"GPNT", ""}, kOne}},
              "IDM_GPNT",
              "GPNT Record",
              "frmGPNT",
              fill_by_version<&ModelStore::gpnt, gGPNT_data>,
              show<frmGPNT, &ModelStore::gpnt, kGunPoints>,
              {"Slot ", "Gun ", ""}},
    ChunkKind{E::MPNT,
              {{{"MPNT", ""}, kOne}},
              "IDM_MPNT",
              "MPNT Record",
              "frmMPNT",
              fill_by_version<&ModelStore::mpnt, gMPNT_data>,
              show<frmGPNT, &ModelStore::mpnt, kMissilePoints>,
              {"Slot ", "Missile ", ""}},
    ChunkKind{E::TGUN,
              {{{"TGUN", ""}, kOne}},
              "IDM_TGUN",
              "TGUN Record",
              "frmTGUN",
              fill<&ModelStore::tgun, gTGUN_data>,
              show<frmTGUN, &ModelStore::tgun, kGunTurrets>,
              {"Bank ", "Point ", ""}},
    ChunkKind{E::TMIS,
              {{{"TMIS", ""}, kOne}},
              "IDM_TMIS",
              "TMIS Record",
              "frmTMIS",
              fill<&ModelStore::tmis, gTMIS_data>,
              show<frmTGUN, &ModelStore::tmis, kMissileTurrets>,
              {"Bank ", "Point ", ""}},
    ChunkKind{E::DOCK,
              {{{"DOCK", ""}, kOne}},
              "IDM_DOCK",
              "DOCK Record",
              "frmDOCK",
              fill<&ModelStore::dock, gDOCK_data>,
              show<frmDOCK, &ModelStore::dock>,
              {"Dock ", "Spline path ", "Point "}},
    ChunkKind{E::FUEL,
              {{{"FUEL", ""}, kOne}},
              "IDM_FUEL",
              "FUEL Record",
              "frmFUEL",
              read_thrusters,
              show_thrusters,
              {"Thruster ", "Glow ", ""}},
    ChunkKind{E::SHLD,
              {{{"SHLD", ""}, kOne}},
              "IDM_SHLD",
              "SHLD Record",
              "frmSHLD",
              fill<&ModelStore::shld, gSHLD_data>,
              show<frmSHLD, &ModelStore::shld>,
              {"Vertex ", "Face ", ""}},
    ChunkKind{E::EYE,
              {{{"EYE ", ""}, kOne}},
              "IDM_EYE",
              "EYE Record",
              "frmEYE",
              fill<&ModelStore::eye, gEYE_data>,
              show<frmEYE, &ModelStore::eye>,
              {"Eye position ", "", ""}},
    ChunkKind{E::INSG,
              {{{"INSG", ""}, kOne}},
              "IDM_INSG",
              "INSG Record",
              "frmINSG",
              fill<&ModelStore::insg, gINSG_data>,
              show<frmINSG, &ModelStore::insg>,
              {"Insignia ", "Vertex ", "Face "}},
    ChunkKind{E::PATH,
              {{{"PATH", ""}, kOne}},
              "IDM_PATH",
              "PATH Record",
              "frmPATH",
              fill<&ModelStore::path, gPATH_data>,
              show<frmPATH, &ModelStore::path>,
              {"Path ", "Vertex ", "Turret "}},
    ChunkKind{E::ACEN,
              {{{"ACEN", ""}, kOne}},
              "IDM_ACEN",
              "ACEN Record",
              "frmACEN",
              fill<&ModelStore::acen, gACEN_data>,
              show<frmACEN, &ModelStore::acen>,
              {"", "", ""}},
    ChunkKind{E::PINF,
              {{{"PINF", ""}, kOne}},
              "IDM_PINF",
              "PINF Record",
              "frmPINF",
              fill<&ModelStore::pinf, gPINF_data>,
              show<frmPINF, &ModelStore::pinf>,
              {"", "", ""}},
    ChunkKind{E::GLOW,
              {{{"GLOW", ""}, kOne}},
              "IDM_GLOW",
              "GLOW Record",
              "frmGLOW",
              fill<&ModelStore::glow, gGLOW_data>,
              show<frmGLOW, &ModelStore::glow>,
              {"Bank ", "Point ", ""}},
};

static_assert(kKinds.size() == kRecordEntryCount);

constexpr bool in_entry_order() {
    for (std::size_t i = 0; i < kKinds.size(); ++i) {
        if (kKinds[i].entry != static_cast<E>(i)) return false;
    }
    return true;
}
static_assert(in_entry_order(), "the table stands in Window-menu order, one row per entry");

constexpr bool names_every_kind_once(const EntryOrder& order) {
    for (const ChunkKind& k : kKinds) {
        if (std::count(order.begin(), order.end(), k.entry) != 1) return false;
    }
    return true;
}
static_assert(names_every_kind_once(kResetDisableOrder));
static_assert(names_every_kind_once(kResetCloseOrder));
static_assert(names_every_kind_once(kCloseAllOrder));

// The four bytes of an ID as one number: a model of 100,000 small chunks looks each ID up
// with a few integer compares.
constexpr std::uint32_t id_key(std::string_view id) {
    std::uint32_t key = 0;
    for (const char c : id) key = key << 8 | static_cast<unsigned char>(c);
    return key;
}

struct KeyedId {
    std::uint32_t key;
    const ChunkKind* kind;
    const ChunkId* id;
};

constexpr std::size_t kIdCount = [] {
    std::size_t n = 0;
    for (const ChunkKind& k : kKinds) {
        for (const ChunkId& id : k.ids) n += id.id.empty() ? 0 : 1;
    }
    return n;
}();

constexpr auto kKeys = [] {
    std::array<KeyedId, kIdCount> keys{};
    std::size_t n = 0;
    for (const ChunkKind& k : kKinds) {
        for (const ChunkId& id : k.ids) {
            if (!id.id.empty()) keys[n++] = {id_key(id.id), &k, &id};
        }
    }
    return keys;
}();

}  // namespace

std::span<const ChunkKind> chunk_kinds() {
    return kKinds;
}

const ChunkKind& kind_of(RecordEntry entry) {
    return kKinds[static_cast<std::size_t>(entry)];
}

ChunkIdMatch find_chunk_id(std::string_view id) {
    if (id.size() != 4) return {};
    const std::uint32_t key = id_key(id);
    for (const KeyedId& k : kKeys) {
        if (k.key == key) return {k.kind, k.id};
    }
    return {};
}

bool is_subobject_chunk(std::string_view id) {
    const ChunkIdMatch match = find_chunk_id(id);
    return match.kind && match.kind->entry == RecordEntry::SOBJ;
}

}  // namespace pof
