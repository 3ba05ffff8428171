#include "check_run.h"

#include "check/model_check.h"
#include "check_targets.h"
#include "dump_render.h"
#include "io/text.h"
#include "shell/frmPOF.h"
#include "view/headless.h"

namespace pofdump {

namespace {

// The model read through the main window's logic, then checked. A model that was not read at
// all (not opened, not POF) gives one read finding in the reader's words.
check::FindingList check_item(const CheckItem& item) {
    pof::ModelStore store;
    view::HeadlessDesktop desktop;
    view::HeadlessWindows windows;
    shell::frmPOF form(store, desktop, windows);
    form.window_opened();
    const pof::ReadOutcome outcome = item.read(form);
    if (outcome == pof::ReadOutcome::OpenFailed || outcome == pof::ReadOutcome::NotPof) {
        return check::unread_file(desktop.messages.empty() ? "the file was not read"
                                                           : desktop.messages.back());
    }
    return check::check_model(store);
}

std::string count_text(int n, const char* word) {
    return pof::integer_text(n) + " " + word + (n == 1 ? "" : "s");
}

void print_text(const std::string& path, const check::FindingList& findings, std::ostream& out) {
    for (const auto& f : findings) {
        out << path << ':' << pof::integer_text(f.offset) << ": "
            << check::severity_name(f.severity) << ": " << one_line(check::shown_place(f)) << ": "
            << one_line(f.message) << " [" << check::code_name(f.code) << "]\n";
    }
}

// An archive or a folder counts its models as well.
void print_summary(const CheckGroup& group, const check::Tally& t, std::ostream& out) {
    out << group.name << ": ";
    if (group.many) out << count_text(static_cast<int>(group.items.size()), "file") << ", ";
    out << count_text(t.errors, "error") << ", " << count_text(t.warnings, "warning") << ", "
        << count_text(t.notes, "note") << '\n';
}

Json file_json(const std::string& path, const check::FindingList& findings) {
    const check::Tally t = check::tally(findings);
    Json list = Json::array();
    for (const auto& f : findings) {
        list.push_back({{"severity", check::severity_name(f.severity)},
                        {"code", check::code_name(f.code)},
                        {"chunk", pof::text8(f.chunk)},
                        {"offset", f.offset},
                        {"place", f.place},
                        {"message", f.message}});
    }
    return {{"file", path},
            {"errors", t.errors},
            {"warnings", t.warnings},
            {"notes", t.notes},
            {"findings", std::move(list)}};
}

}  // namespace

int run_check(const Options& options, std::ostream& out, std::ostream&) {
    bool errors = false;
    Json all = Json::array();
    for (const CheckGroup& group : check_groups(options.files)) {
        check::Tally total;
        for (const CheckItem& item : group.items) {
            const auto findings = check_item(item);
            const check::Tally t = check::tally(findings);
            total = {total.errors + t.errors, total.warnings + t.warnings, total.notes + t.notes};
            if (options.json) {
                all.push_back(file_json(item.name, findings));
            } else {
                print_text(item.name, findings, out);
            }
        }
        errors = errors || total.errors > 0;
        if (!options.json) print_summary(group, total, out);
    }
    if (options.json) out << json_text(all);
    return errors ? kExitFailed : kExitClean;
}

}  // namespace pofdump
