#pragma once
// The record entries of the main window's Window menu, one per chunk type with a viewer.

#include <array>
#include <string_view>

namespace pof {

// In the order the Window menu shows them.
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
    PINF
};

struct RecordEntryInfo {
    RecordEntry entry;
    std::string_view menu_name;  // object name of the menu action
    std::string_view caption;    // caption when the window opens
    std::string_view viewer;     // object name of the viewer window
};

inline constexpr std::array<RecordEntryInfo, 16> kRecordEntries{{
    {RecordEntry::TXTR, "IDM_TXTR", "TXTR Record", "frmTXTR"},
    {RecordEntry::OHDR, "IDM_OHDR", "OHDR Record", "frmOHDR"},
    {RecordEntry::SOBJ, "IDM_SOBJ", "SOBJ Record", "frmSOBJ"},
    {RecordEntry::SPCL, "IDM_SPCL", "SPCL Record", "frmSPCL"},
    {RecordEntry::GPNT, "IDM_GPNT", "GPNT Record", "frmGPNT"},
    {RecordEntry::MPNT, "IDM_MPNT", "MPNT Record", "frmMPNT"},
    {RecordEntry::TGUN, "IDM_TGUN", "TGUN Record", "frmTGUN"},
    {RecordEntry::TMIS, "IDM_TMIS", "TMIS Record", "frmTMIS"},
    {RecordEntry::DOCK, "IDM_DOCK", "DOCK Record", "frmDOCK"},
    {RecordEntry::FUEL, "IDM_FUEL", "FUEL Record", "frmFUEL"},
    {RecordEntry::SHLD, "IDM_SHLD", "SHLD Record", "frmSHLD"},
    {RecordEntry::EYE, "IDM_EYE", "EYE Record", "frmEYE"},
    {RecordEntry::INSG, "IDM_INSG", "INSG Record", "frmINSG"},
    {RecordEntry::PATH, "IDM_PATH", "PATH Record", "frmPATH"},
    {RecordEntry::ACEN, "IDM_ACEN", "ACEN Record", "frmACEN"},
    {RecordEntry::PINF, "IDM_PINF", "PINF Record", "frmPINF"},
}};

constexpr const RecordEntryInfo& info(RecordEntry e) {
    return kRecordEntries[static_cast<int>(e)];
}

// The entries of the View menu, each opening one window over the whole model; closed after
// the block viewers.
struct ViewEntryInfo {
    std::string_view menu_name;
    std::string_view caption;
    std::string_view shortcut;
    std::string_view viewer;
};

inline constexpr std::array<ViewEntryInfo, 1> kViewEntries{{
    {"IDM_MODEL_VIEW", "&Model View", "Ctrl+M", "frmModelView"},
}};

// The block viewers the subobject viewer opens; closed after the record viewers.
inline constexpr std::array<std::string_view, 5> kBlockViewers{
    "frmDEFPOINTS", "frmFLATPOLY", "frmTMAPPOLY", "frmSORTNORM", "frmBOUNDBOX"};

}  // namespace pof
