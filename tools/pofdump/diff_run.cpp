#include "diff_run.h"

#include <nlohmann/json.hpp>

#include "shell/compared_model.h"
#include "view/window_text.h"

namespace pofdump {

namespace {

const char* kind_name(compare::Difference::Kind kind) {
    switch (kind) {
        case compare::Difference::Kind::Changed:
            return "changed";
        case compare::Difference::Kind::Removed:
            return "removed";
        case compare::Difference::Kind::Added:
            return "added";
        case compare::Difference::Kind::Unread:
            return "unread";
    }
    return "";
}

// Absent values are null: a field only one model has, an item's name it does not show.
nlohmann::json text_or_null(const std::string& text) {
    return text.empty() ? nlohmann::json(nullptr) : nlohmann::json(text);
}

void print_json(const std::vector<compare::Difference>& differences, std::ostream& out) {
    auto records = nlohmann::ordered_json::array();
    for (const auto& d : differences) {
        nlohmann::ordered_json r;
        r["kind"] = kind_name(d.kind);
        r["place"] = d.place_text();
        r["field"] = text_or_null(d.field);
        r["old"] = text_or_null(d.old_text);
        r["new"] = text_or_null(d.new_text);
        records.push_back(std::move(r));
    }
    nlohmann::ordered_json doc;
    doc["same"] = differences.empty();
    doc["differences"] = std::move(records);
    out << doc.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
}

}  // namespace

int run_diff(const Options& options, std::ostream& out, std::ostream& err) {
    shell::ComparedModel a(options.files[0]), b(options.files[1]);
    const shell::Comparison found = shell::compare_models(a, b, {options.tolerance});
    for (int i = 0; i < 2; ++i) {
        const shell::ComparedModel& read = i == 0 ? a : b;
        if (!read.trouble()) continue;
        // "Cannot open FILE: ..." names its file already; "Not a POF file!" does not.
        const bool named = read.message().starts_with("Cannot open ");
        err << "pofdump: "
            << view::one_line(named ? read.message() : options.files[i] + ": " + read.message())
            << '\n';
    }
    if (!found.trouble.empty()) return kExitUsage;
    if (options.json) {
        print_json(found.differences, out);
    } else {
        for (const auto& d : found.differences) out << view::one_line(d.line()) << '\n';
    }
    return found.differences.empty() ? kExitClean : kExitFailed;
}

}  // namespace pofdump
