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
        default:
            return nullptr;
    }
}

}  // namespace records
