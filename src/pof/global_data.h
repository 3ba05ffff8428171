#pragma once
// The model store: everything read from the open POF file, one record per chunk type.
// One instance lives for the program's run; the reset does not clear the records, so each
// keeps its contents until a chunk of its type is read again.

#include <cstdint>
#include <string>
#include <vector>

#include "pof/chunk_facts.h"
#include "records/docking/docking_records.h"
#include "records/header/header_records.h"
#include "records/subobjects/bsp_browsing.h"
#include "records/subobjects/subobject_table.h"
#include "records/weapons/weapon_records.h"

namespace pof {

struct ModelStore {
    std::string magic;
    std::int32_t file_version = 0;
    std::string chunk_id;  // of the chunk being read
    std::int32_t chunk_size = 0;
    std::int64_t chunk_offset = 0;  // of its chunk header
    bool header_read = false;       // a header chunk was read from this file
    // Chunks of this file read to their end but stored nowhere, each in a sentence.
    std::vector<std::string> unstored_chunks;
    // Every chunk of this file that got a row, in file order.
    std::vector<ChunkFact> chunks;
    // Why the read of this file stopped early; empty after a full read.
    std::string read_failure;
    // While reading: subobject chunks met so far. Afterwards: the subobject the subobject
    // viewer selects when it opens.
    std::int32_t current_subobject = 0;

    records::OhdrRecord ohdr;
    records::SubobjectTable subobjects;
    records::TxtrRecord txtr;
    records::PinfRecord pinf;
    records::AcenRecord acen;

    // Docking points, paths, thrusters and insignia.
    records::DockRecord dock;
    records::PathRecord path;
    records::FuelRecord fuel;
    records::InsgRecord insg;

    // Weapons, special points, eye points and the shield mesh.
    records::WeaponPointRecord gpnt, mpnt;
    records::TurretRecord tgun, tmis;
    records::SpclRecord spcl;
    records::EyeRecord eye;
    records::ShldRecord shld;

    // The subobject and block viewers' browsing state; no chunk writes it.
    records::BspBrowsing browsing;
};

}  // namespace pof
