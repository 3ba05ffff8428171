// Golden window texts: the pofdump text of every window over the every-chunk models at the
// versions where a layout changes, a negative version, a damaged file and the sample ship, the
// Model View after a choice in each chunk window, the check of faulty models, and archives,
// compared byte for byte with the files in this folder. When a change of a window is meant,
// rewrite them with
//   cmake --build build --target update_golden
// and review their diff in the commit.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "check/finding.h"
#include "golden_models.h"
#include "sample_archive.h"
#include "session.h"
#include "temp_file.h"

namespace {

namespace fs = std::filesystem;

std::string replace_all(std::string text, const std::string& from, const std::string& to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// Every model written to a file of its own in a folder of its own (with the files it wants
// beside it), for the whole test: a step names another model's file as @NAME, and the texts
// show each file by its model's name. Nothing else lies in the folder, so a search for
// textures beside a model finds only what the model brought.
class ModelFiles {
  public:
    explicit ModelFiles(const std::vector<golden::Model>& models) {
        for (const auto& model : models) add(model);
    }
    ~ModelFiles() {
        std::error_code ignored;
        for (const auto& folder : folders_) fs::remove_all(folder, ignored);
    }
    ModelFiles(const ModelFiles&) = delete;
    ModelFiles& operator=(const ModelFiles&) = delete;

    void add(const golden::Model& model) {
        const fs::path folder =
            fs::temp_directory_path() / ("pofscope_golden_" + std::to_string(::getpid()) + "_" +
                                         std::to_string(folders_.size()));
        fs::create_directories(folder);
        folders_.push_back(folder);
        names_.push_back(model.name);
        suffixes_.push_back(model.suffix);
        paths_.push_back((folder / (model.name + model.suffix)).string());
        write(paths_.back(), model.bytes);
        for (const auto& [name, bytes] : model.beside) write((folder / name).string(), bytes);
    }
    std::string path(const std::string& name) const {
        for (std::size_t i = 0; i < names_.size(); ++i) {
            if (names_[i] == name) return paths_[i];
        }
        ADD_FAILURE() << "a step names @" << name << ", which is no golden model";
        return name;
    }
    // The paths in text replaced by the models' file names: the folders first, then a path's
    // last step alone (the archive window is titled with the file's name).
    std::string shown(std::string text) const {
        for (const auto& folder : folders_) text = replace_all(text, folder.string() + "/", "");
        return text;
    }

  private:
    static void write(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    std::vector<fs::path> folders_;
    std::vector<std::string> names_, suffixes_, paths_;
};

// The words of a run's steps, each @NAME replaced by that model's path, then the model's own.
std::vector<std::string> arguments(const std::string& steps, const std::string& own_path,
                                   const ModelFiles& files) {
    std::istringstream in(steps);
    std::vector<std::string> args{std::istream_iterator<std::string>(in), {}};
    for (auto& word : args) {
        if (word.starts_with('@')) word = files.path(word.substr(1));
    }
    args.push_back(own_path);
    return args;
}

// One pofdump run: the command line, what it printed, its messages and a failing exit status.
std::string run_text(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = pofdump::run_command(args, out, err);
    std::string text = "$ pofdump";
    for (const auto& word : args) text += " " + word;
    text += '\n';
    text += out.str();
    std::istringstream messages(err.str());
    for (std::string line; std::getline(messages, line);) text += "! " + line + "\n";
    if (status != 0) text += "exit " + std::to_string(status) + "\n";
    return text;
}

std::string golden_text(const golden::Model& model, const ModelFiles& files) {
    std::string text;
    for (const auto& steps : model.windows) {
        text += run_text(arguments(steps, files.path(model.name), files)) + "\n";
    }
    return files.shown(text);
}

std::string read_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Where two texts part: the line number and both lines, so a failure names the run that
// changed rather than printing whole files.
std::string first_difference(const std::string& golden, const std::string& now) {
    std::istringstream a(golden), b(now);
    std::string was, is;
    for (int line = 1;; ++line) {
        const bool more_a = static_cast<bool>(std::getline(a, was));
        const bool more_b = static_cast<bool>(std::getline(b, is));
        if (!more_a && !more_b) return "the same lines, other bytes";
        if (more_a && more_b && was == is) continue;
        return "line " + std::to_string(line) + "\n  golden: " + (more_a ? was : "(end)") +
               "\n  now:    " + (more_b ? is : "(end)");
    }
}

TEST(GoldenWindowTexts, EveryWindowOfEveryModelReadsAsItsFile) {
    const bool rewrite = std::getenv("POFSCOPE_UPDATE_GOLDEN") != nullptr;
    const auto models = golden::models();
    const ModelFiles files(models);
    for (const auto& model : models) {
        const fs::path path = fs::path(POFSCOPE_GOLDEN_DIR) / (model.name + ".txt");
        const std::string text = golden_text(model, files);
        if (rewrite) {
            std::ofstream(path, std::ios::binary) << text;
            continue;
        }
        const std::string golden = read_file(path);
        EXPECT_TRUE(golden == text)
            << path.filename() << " differs at " << first_difference(golden, text)
            << "\nWhen the change is meant, rewrite it with "
            << "`cmake --build build --target update_golden` and review the diff";
    }
}

// The words and offsets of every finding are the check's product: each code appears in the
// --check run of some golden model, so a new code cannot go without one.
TEST(GoldenWindowTexts, EveryCodeOfTheModelCheckIsInSomeGoldenText) {
    std::string all;
    for (const auto& model : golden::models())
        all += read_file(fs::path(POFSCOPE_GOLDEN_DIR) / (model.name + ".txt"));
    for (int c = 0; c < check::kCodeCount; ++c) {
        const std::string code(check::code_name(static_cast<check::Code>(c)));
        EXPECT_NE(all.find("[" + code + "]\n"), std::string::npos)
            << "no golden --check run shows the code " << code;
    }
}

// A model read from inside an archive shows every window as its loose file does; only the
// file label differs.
TEST(GoldenWindowTexts, TheSampleReadFromItsArchiveShowsWhatItsLooseFileShows) {
    const golden::Model& sample = golden::sample_model();
    ModelFiles files({sample});
    files.add({"sample-archive", testing_pof::sample_archive(), {}, ".vp"});
    const auto after_command = [](const std::string& text) { return text.substr(text.find('\n')); };
    const std::string label = "value Label1: sample.pof";
    for (const auto& steps : sample.windows) {
        if (steps == "--check") continue;
        // Its textures lie in the archive too, where the Model View's list says they were found.
        const std::string from_archive = replace_all(
            after_command(files.shown(run_text(arguments("--member data/models/sample.pof " + steps,
                                                         files.path("sample-archive"), files)))),
            "sample-archive.vp: data/maps/", "");
        const std::string loose =
            after_command(files.shown(run_text(arguments(steps, files.path("sample"), files))));
        EXPECT_EQ(from_archive,
                  replace_all(loose, label,
                              "value Label1: sample-archive.vp \u203A data/models/sample.pof"))
            << steps;
    }
}

}  // namespace
