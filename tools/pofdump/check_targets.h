#pragma once
// What the names given to pofdump --check stand for: a model file, every POF model of an
// archive, or every *.pof and *.vp file under a folder (an archive there for its models).

#include <functional>
#include <string>
#include <vector>

#include "check/finding.h"
#include "pof/read_pof.h"
#include "shell/frmPOF.h"
#include "textures/model_textures.h"

namespace pofdump {

// One model: the name its findings carry ("ship.pof", "mod.vp/data/models/ship.pof") and
// how the main window reads it; or an archive's own faults, found as it was listed.
struct CheckItem {
    std::string name;
    std::function<pof::ReadOutcome(shell::frmPOF&)> read;  // empty for an archive's faults
    std::vector<check::Finding> findings = {};             // the archive's faults
};

// What one command-line name stands for: the file itself, or every *.pof and *.vp file under
// a folder (in path order); each is opened when its turn comes, so a folder of many models
// keeps no more than one of them open.
struct CheckGroup {
    std::string name;
    bool folder = false;
    std::vector<std::string> files;
};

std::vector<CheckGroup> check_groups(const std::vector<std::string>& names);

// The models one file stands for: itself, or an archive's own faults and its POF models.
struct CheckFile {
    bool archive = false;
    std::vector<CheckItem> items;
};

// An archive it lists is kept in searches, so its models' texture searches read it no more.
CheckFile check_file(const std::string& path, textures::SearchCache& searches);

}  // namespace pofdump
