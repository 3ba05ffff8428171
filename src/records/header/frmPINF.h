#pragma once
#include "records/header/frmTXTR.h"
