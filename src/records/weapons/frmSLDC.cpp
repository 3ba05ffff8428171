// The SLDC and SLC2 viewer: the shield collision tree's nodes in one list, and the chosen
// node's box and triangle indices. One class for both IDs, told apart by their layout.

#include "records/viewer_text.h"
#include "records/weapons/weapon_records.h"
#include "view/viewer.h"

namespace records {

using pof::integer_text;

namespace {

class frmSLDC : public view::Viewer {
  public:
    frmSLDC(const ShieldTreeRecord& record, const ShieldTreeLayout& layout)
        : Viewer(std::string(layout.window), std::string(layout.title)), record_(record) {
        nodes.on_click = [this](int n) { node_chosen(n); };
        box.span("Bounding Box", 0, 2);
        group(node, {&box, &triangles});
        set_layout(column({&record_size, &tree_size, &nodes, &node}));
    }

    void opened() override {
        record_size.value.text = integer_text(record_.chunk_size);
        tree_size.value.text = integer_text(record_.tree_size);
        nodes.clear();
        const int n = record_.node_rows();
        nodes.set_source(static_cast<std::size_t>(n),
                         [this](std::size_t i) { return node_cells(record_.nodes[i]); });
        nodes.enabled = n >= 2;
        node.enabled = n > 0;
        enable_headers(box, n > 0);
        blank_column(box, 0);
        blank_column(box, 1);
        triangles.clear();
        triangles.enabled = false;
        nodes.click(0);
    }

  private:
    static view::Table::Cells node_cells(const ShieldTreeNode& n) {
        const bool split = n.split();
        return {integer_text(n.offset),
                split ? "split" : "leaf",
                integer_text(n.size),
                split ? integer_text(n.front) : "",
                split ? integer_text(n.back) : "",
                split ? "" : integer_text(n.count)};
    }

    void node_chosen(int n) {
        const ShieldTreeNode& chosen = record_.nodes[n];
        show_vec(box, 0, chosen.min);
        show_vec(box, 1, chosen.max);
        triangles.clear();
        triangles.reserve(chosen.faces.size());
        for (std::size_t i = 0; i < chosen.faces.size(); ++i) {
            triangles.add_row(
                {integer_text(static_cast<std::int64_t>(i)), integer_text(chosen.faces[i])});
        }
        triangles.enabled = chosen.faces.size() >= 2;
        triangles.click(0);
    }

    const ShieldTreeRecord& record_;
    view::Field record_size{"Record Size"};
    view::Field tree_size{"Tree Size"};
    view::Table nodes{{{"Offset", view::Table::Width::Keep},
                       {"Type"},
                       {"Size"},
                       {"Front"},
                       {"Back"},
                       {"Triangles"}},
                      "lstNodes"};
    view::Group node{"Node"};
    view::Grid box{{"min", "max"}, {"X", "Y", "Z"}};
    view::Table triangles{{{"Index"}, {"SHLD Face"}}, "lstTriangles"};
};

}  // namespace

std::unique_ptr<view::Viewer> make_frmSLDC(const ShieldTreeRecord& record,
                                           const ShieldTreeLayout& layout) {
    return std::make_unique<frmSLDC>(record, layout);
}

}  // namespace records
