#pragma once
// The model store: everything read from the open POF file, one record per chunk type, beside
// what the reader knows of the file (its framing fields and the subobject counter). One instance
// lives for the program's run; the reset before each file empties it, and within a file each
// chunk overwrites the record of its type.

#include <string>
#include <string_view>
#include <vector>

#include "records/docking/docking_records.h"
#include "records/header/header_records.h"
#include "records/read_state.h"
#include "records/subobjects/bsp_browsing.h"
#include "records/subobjects/subobject_table.h"
#include "records/weapons/weapon_records.h"

namespace pof {

// Where the model was read from: its file, or an archive and the member's path inside it.
struct ModelSource {
    std::string path;
    std::string member;  // empty for a loose file

    // The file name the model's windows are titled with: the member's, else the file's.
    std::string_view file_name() const {
        const std::string_view p = member.empty() ? std::string_view(path) : member;
        return p.substr(p.rfind('/') + 1);  // from 0 when there is no '/'
    }
    // The folder of the model's file (of its archive for a member); empty for a bare name.
    std::string_view folder() const {
        const auto slash = path.rfind('/');
        if (slash == std::string::npos) return {};
        return std::string_view(path).substr(0, slash == 0 ? 1 : slash);
    }
};

// Each chunk group's records come from the group's records header (ohdr, txtr, ...; dock, path,
// ...; gpnt, mpnt, ...), so a new kind's record joins the store where it is declared.
struct ModelStore : records::ReadState,
                    records::HeaderRecords,
                    records::DockingRecords,
                    records::WeaponRecords {
    records::SubobjectTable subobjects;

    // The subobject and block viewers' browsing state; no chunk writes it.
    records::BspBrowsing browsing;

    // Where this model was read from; empty for one read from memory.
    ModelSource source;
    // The folders the user named for textures (View > Texture Folders..., pofdump --textures),
    // searched before the model's own. A setting, not model data: the reset keeps it.
    std::vector<std::string> texture_folders;
};

}  // namespace pof
