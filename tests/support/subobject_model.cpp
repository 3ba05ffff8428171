#include "subobject_model.h"

namespace testing_pof {

Bytes subobject_body(std::int32_t version, const SubobjectFields& s) {
    Bytes b;
    b.i32(s.number);
    const auto offset = [&](Bytes& out) { out.vec(s.offset[0], s.offset[1], s.offset[2]); };
    if (version < 2116) {
        b.i32(s.parent);
        offset(b);
        b.f32(s.radius);
    } else {
        b.f32(s.radius).i32(s.parent);
        offset(b);
    }
    b.vec(s.centre[0], s.centre[1], s.centre[2]);
    b.vec(s.bbox_min[0], s.bbox_min[1], s.bbox_min[2]);
    b.vec(s.bbox_max[0], s.bbox_max[1], s.bbox_max[2]);
    b.text(s.name).text(s.properties);
    b.i32(s.movement_type).i32(s.movement_axis);
    if (version >= 2301 && version < 3100) b.i32(s.translation_type).i32(s.translation_axis);
    b.i32(s.reserved);
    return b.i32(s.bsp.size32()).raw(s.bsp);
}

namespace bsp {

namespace {

Bytes header(std::int32_t type, std::int32_t size) {
    return Bytes().i32(type).i32(size);
}

void polygon_head(Bytes& b, std::int32_t count, const PolygonHead& head = {}) {
    b.vec(head.normal.x, head.normal.y, head.normal.z);
    b.vec(head.centre.x, head.centre.y, head.centre.z).f32(head.radius).i32(count);
}

}  // namespace

Bytes defpoints(const std::vector<Vertex>& vertices, std::uint8_t pad) {
    const auto n = static_cast<std::int32_t>(vertices.size());
    Bytes counts, data;
    std::int32_t normals = 0;
    for (const auto& v : vertices) {
        counts.u8(static_cast<std::uint8_t>(v.normals.size()));
        normals += static_cast<std::int32_t>(v.normals.size());
        data.vec(v.position.x, v.position.y, v.position.z);
        for (const auto& nv : v.normals) data.vec(nv.x, nv.y, nv.z);
    }
    while ((20 + counts.size32()) % 4 != 0) counts.u8(pad);  // vertex data starts aligned
    const std::int32_t data_offset = 20 + counts.size32();
    const std::int32_t size = data_offset + data.size32();
    return header(1, size).i32(n).i32(normals).i32(data_offset).raw(counts).raw(data);
}

Bytes flatpoly(const std::vector<PolygonEntry>& entries, std::uint8_t red, std::uint8_t green,
               std::uint8_t blue) {
    const auto n = static_cast<std::int32_t>(entries.size());
    Bytes b = header(2, 44 + 4 * n);
    polygon_head(b, n);
    b.u8(red).u8(green).u8(blue).u8(0);
    for (const auto& e : entries) b.i16(e.vertex).i16(e.normal);
    return b;
}

Bytes tmappoly(const std::vector<PolygonEntry>& entries, std::int32_t texture,
               const PolygonHead& head) {
    const auto n = static_cast<std::int32_t>(entries.size());
    Bytes b = header(3, 44 + 12 * n);
    polygon_head(b, n, head);
    b.i32(texture);
    for (const auto& e : entries) b.i16(e.vertex).i16(e.normal).f32(e.u).f32(e.v);
    return b;
}

Bytes sortnorm(std::int32_t front, std::int32_t back) {
    Bytes b = header(4, 80);
    b.vec(0, 1, 0).vec(0, 0.5f, 0).i32(0);
    b.i32(front).i32(back).i32(0).i32(0).i32(0);
    return b.vec(-1, -2, -3).vec(1, 2, 3);
}

Bytes tmap2poly(const std::vector<Polygon2Entry>& entries, std::int32_t texture, Vec min, Vec max,
                Vec normal) {
    const auto n = static_cast<std::int32_t>(entries.size());
    Bytes b = header(6, 52 + 16 * n).vec(min.x, min.y, min.z).vec(max.x, max.y, max.z);
    b.vec(normal.x, normal.y, normal.z).i32(texture).i32(n);
    for (const auto& e : entries) {
        b.i32(static_cast<std::int32_t>(e.vertex)).i32(static_cast<std::int32_t>(e.normal));
        b.f32(e.u).f32(e.v);
    }
    return b;
}

Bytes sortnorm2(std::int32_t front, std::int32_t back, Vec min, Vec max) {
    return header(7, 40).i32(front).i32(back).vec(min.x, min.y, min.z).vec(max.x, max.y, max.z);
}

Bytes boundbox(Vec min, Vec max) {
    return header(5, 32).vec(min.x, min.y, min.z).vec(max.x, max.y, max.z);
}

Bytes eof() {
    return header(0, 0);
}

Bytes block(std::int32_t type, std::int32_t size) {
    Bytes b = header(type, size);
    for (std::int32_t i = 8; i < size; ++i) b.u8(0);
    return b;
}

}  // namespace bsp

Bytes every_block_type() {
    using namespace bsp;
    return Bytes()
        .raw(defpoints({{{1, 2, 3}, {{0, 0, 1}}}, {{4, 5, 6}, {{1, 0, 0}, {0, 1, 0}}}}))
        .raw(sortnorm(80, 0))
        .raw(flatpoly({{0, 0}, {1, 1}, {2, 2}}))
        .raw(tmappoly({{5, 7, 0.5f, 1.0f}, {6, 8, 0.25f, 0.75f}}))
        .raw(boundbox({-1, -2, -3}, {1, 2, 3}))
        .raw(eof());
}

}  // namespace testing_pof
