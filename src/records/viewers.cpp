#include "records/viewers.h"

#include "records/docking/frmDOCK.h"
#include "records/docking/frmFUEL.h"
#include "records/docking/frmINSG.h"
#include "records/docking/frmPATH.h"
#include "records/header/frmACEN.h"
#include "records/header/frmOHDR.h"
#include "records/header/frmPINF.h"
#include "records/header/frmTXTR.h"
#include "records/subobjects/frmSOBJ.h"
#include "records/weapons/frmEYE.h"
#include "records/weapons/frmGPNT.h"
#include "records/weapons/frmSHLD.h"
#include "records/weapons/frmSPCL.h"
#include "records/weapons/frmTGUN.h"

namespace records {

std::unique_ptr<view::Viewer> make_viewer(pof::RecordEntry entry, const ViewerContext& context) {
    const pof::ModelStore& store = context.store;
    switch (entry) {
        case pof::RecordEntry::OHDR:
            return std::make_unique<frmOHDR>(store);
        case pof::RecordEntry::TXTR:
            return std::make_unique<frmTXTR>(store);
        case pof::RecordEntry::PINF:
            return std::make_unique<frmPINF>(store);
        case pof::RecordEntry::ACEN:
            return std::make_unique<frmACEN>(store);
        case pof::RecordEntry::SOBJ:
            return std::make_unique<frmSOBJ>(context);
        case pof::RecordEntry::DOCK:
            return std::make_unique<frmDOCK>(store);
        case pof::RecordEntry::PATH:
            return std::make_unique<frmPATH>(store);
        case pof::RecordEntry::FUEL:
            return std::make_unique<frmFUEL>(store);
        case pof::RecordEntry::INSG:
            return std::make_unique<frmINSG>(store);
        case pof::RecordEntry::GPNT:
            return std::make_unique<frmGPNT>(store, kGunPoints);
        case pof::RecordEntry::MPNT:
            return std::make_unique<frmGPNT>(store, kMissilePoints);
        case pof::RecordEntry::TGUN:
            return std::make_unique<frmTGUN>(store, kGunTurrets);
        case pof::RecordEntry::TMIS:
            return std::make_unique<frmTGUN>(store, kMissileTurrets);
        case pof::RecordEntry::SPCL:
            return std::make_unique<frmSPCL>(store);
        case pof::RecordEntry::EYE:
            return std::make_unique<frmEYE>(store);
        case pof::RecordEntry::SHLD:
            return std::make_unique<frmSHLD>(store);
        default:
            return nullptr;
    }
}

}  // namespace records
