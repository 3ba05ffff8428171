#include "check_run.h"

#include <memory>

#include "check/model_check.h"
#include "check_targets.h"
#include "dump_render.h"
#include "io/text.h"
#include "json_stream.h"
#include "shell/frmPOF.h"
#include "textures/model_textures.h"
#include "view/headless.h"

namespace pofdump {

namespace {

std::string count_text(int n, const char* word) {
    return pof::integer_text(n) + " " + word + (n == 1 ? "" : "s");
}

// Where the findings of the models go as they are put into words: compiler-style lines with a
// summary line per name given, or one JSON object per model.
class CheckOutput {
  public:
    virtual ~CheckOutput() = default;
    virtual void begin_model(const std::string& name) = 0;
    virtual void finding(const check::Finding& f) = 0;
    virtual void end_model(const check::Tally&) {}
    // many: a folder or an archive, whose summary counts the models.
    virtual void end_group(const std::string&, bool /*many*/, int /*models*/, const check::Tally&) {
    }
    virtual void end() {}
};

// FILE:OFFSET: SEVERITY: PLACE: MESSAGE [CODE], then FILE: N errors, N warnings, N notes (an
// archive or a folder counts its models as well). Names are written in the one-line form the
// main window's label has, so a line feed or an escape sequence in a name cannot split a
// finding or reach the terminal.
class TextOutput : public CheckOutput {
  public:
    explicit TextOutput(std::ostream& out) : out_(out) {}
    void begin_model(const std::string& name) override { name_ = one_line(name); }
    void finding(const check::Finding& f) override {
        out_ << name_ << ':' << pof::integer_text(f.offset) << ": "
             << check::severity_name(f.severity) << ": " << one_line(check::shown_place(f)) << ": "
             << one_line(f.message) << " [" << check::code_name(f.code) << "]\n";
    }
    void end_group(const std::string& name, bool many, int models, const check::Tally& t) override {
        out_ << one_line(name) << ": ";
        if (many) out_ << count_text(models, "file") << ", ";
        out_ << count_text(t.errors, "error") << ", " << count_text(t.warnings, "warning") << ", "
             << count_text(t.notes, "note") << '\n';
    }

  private:
    std::ostream& out_;
    std::string name_;
};

// An array of one object per model: its exact name, its findings as they come, then the
// counts, which are known only once the findings have been written.
class JsonOutput : public CheckOutput {
  public:
    explicit JsonOutput(std::ostream& out) : out_(out), json_(out) { json_.begin_array(); }
    void begin_model(const std::string& name) override {
        json_.begin_object();
        json_.key("file");
        json_.string(name);
        json_.key("findings");
        json_.begin_array();
    }
    void finding(const check::Finding& f) override {
        json_.begin_object();
        member("severity", check::severity_name(f.severity));
        member("code", check::code_name(f.code));
        member("chunk", pof::text8(f.chunk));
        json_.key("offset");
        json_.number(f.offset);
        member("place", f.place);
        member("message", f.message);
        json_.end_object();
    }
    void end_model(const check::Tally& t) override {
        json_.end_array();
        json_.key("errors");
        json_.number(t.errors);
        json_.key("warnings");
        json_.number(t.warnings);
        json_.key("notes");
        json_.number(t.notes);
        json_.end_object();
    }
    void end() override {
        json_.end_array();
        out_ << '\n';
    }

  private:
    void member(std::string_view key, std::string_view text) {
        json_.key(key);
        json_.string(text);
    }
    std::ostream& out_;
    JsonStream json_;
};

// The model read through the main window's logic, then checked, each finding going to output
// as soon as its chunk is checked. A model that was not read at all (not opened, not POF)
// gives one read finding in the reader's words. An archive's faults were found as it was
// listed.
check::Tally check_item(const CheckItem& item, const std::vector<std::string>& texture_folders,
                        const std::shared_ptr<textures::SearchCache>& searches,
                        CheckOutput& output) {
    const auto each = [&output](const check::Finding& f) { output.finding(f); };
    if (!item.read) {
        check::Tally t;
        for (const check::Finding& f : item.findings) {
            t.add(f);
            each(f);
        }
        return t;
    }
    pof::ModelStore store;
    store.texture_folders = texture_folders;
    view::HeadlessDesktop desktop;
    view::HeadlessWindows windows;
    shell::frmPOF form(store, desktop, windows);
    form.window_opened();
    const pof::ReadOutcome outcome = item.read(form);
    if (outcome == pof::ReadOutcome::OpenFailed || outcome == pof::ReadOutcome::NotPof) {
        const check::FindingList unread = check::unread_file(
            desktop.messages.empty() ? "the file was not read" : desktop.messages.back());
        for (const check::Finding& f : unread) each(f);
        return check::tally(unread);
    }
    return check::check_model(store, each, searches);
}

// The check's table of codes: a header line, then one tab-separated line per code; or a JSON
// array of objects with the same four members.
void write_codes(bool json, std::ostream& out) {
    if (!json) out << "code\tseverity\tfinds\tthe game\n";
    JsonStream array(out);
    if (json) array.begin_array();
    for (int i = 0; i < check::kCodeCount; ++i) {
        const auto code = static_cast<check::Code>(i);
        if (!json) {
            out << check::code_name(code) << '\t' << check::severity_text(code) << '\t'
                << check::code_finds(code) << '\t' << check::code_game(code) << '\n';
            continue;
        }
        array.begin_object();
        for (const auto& [key, text] : {std::pair{"code", check::code_name(code)},
                                        std::pair{"severity", check::severity_text(code)},
                                        std::pair{"finds", check::code_finds(code)},
                                        std::pair{"game", check::code_game(code)}}) {
            array.key(key);
            array.string(text);
        }
        array.end_object();
    }
    if (json) {
        array.end_array();
        out << '\n';
    }
}

}  // namespace

int run_check(const Options& options, std::ostream& out, std::ostream&) {
    if (options.codes) {
        write_codes(options.json, out);
        return kExitClean;
    }
    std::unique_ptr<CheckOutput> output;
    if (options.json) {
        output = std::make_unique<JsonOutput>(out);
    } else {
        output = std::make_unique<TextOutput>(out);
    }
    bool errors = false;
    // One listing of each folder and archive for every model's texture search.
    const auto searches = std::make_shared<textures::SearchCache>();
    for (const CheckGroup& group : check_groups(options.files)) {
        check::Tally total;
        bool many = group.folder;
        int models = 0;
        for (const std::string& path : group.files) {
            const CheckFile file = check_file(path, *searches);
            many = many || file.archive;
            for (const CheckItem& item : file.items) {
                output->begin_model(item.name);
                const check::Tally t = check_item(item, options.texture_folders, searches, *output);
                output->end_model(t);
                total = {total.errors + t.errors, total.warnings + t.warnings,
                         total.notes + t.notes};
                models += item.read ? 1 : 0;
            }
        }
        output->end_group(group.name, many, models, total);
        errors = errors || total.errors > 0;
    }
    output->end();
    return errors ? kExitFailed : kExitClean;
}

}  // namespace pofdump
