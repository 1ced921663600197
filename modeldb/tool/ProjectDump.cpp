#include "ProjectDump.h"
#include "lib/PlaneFit.h"

#include "RecordLayouts.h"
#include "tevalib.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <vector>

namespace teva {

namespace {

constexpr int kMaxRecords = 1 << 20;
constexpr int kMaxNameNumber = 32767;

// Whole numbers are written without a fraction ("3000", not "3000.0").
Json num(double v)
{
    if (v == std::floor(v) && std::fabs(v) < 9.0e15)
        return Json(static_cast<std::int64_t>(v));
    return Json(v);  // not finite: written as null
}
Json str(std::string s) { return Json(std::move(s)); }

std::string nameOf(int kind, int number)
{
    if (number < 1 || number > kMaxNameNumber)
        return {};
    char buf[64] = {};
    if (DB_Usnam(kind, static_cast<short>(number), buf) != 0)
        return {};
    buf[63] = '\0';
    return buf;
}

Json point2(double x, double y)
{
    Json p = Json::array();
    p.push_back(num(x));
    p.push_back(num(y));
    return p;
}

Json names()
{
    Json out = Json::object();
    const std::pair<int, const char*> kinds[] = {
        {TEVA_NAME_STOREY, "storey"}, {TEVA_NAME_AXIS, "axis"},
        {TEVA_NAME_SUBLAYER, "sublayer"}, {TEVA_NAME_SLOPE, "slope"}};
    for (const auto& [kind, key] : kinds) {
        Json list = Json::array();
        // Names have no enumeration entry: every 16-bit number is asked.
        for (int n = 1; n <= kMaxNameNumber; ++n) {
            char buf[64] = {};
            if (DB_Usino(kind, static_cast<short>(n), buf) != 0)
                continue;
            buf[63] = '\0';
            Json e = Json::object();
            e["number"] = num(n);
            e["name"] = str(buf);
            list.push_back(std::move(e));
        }
        out[key] = std::move(list);
    }
    return out;
}

template <size_t N, typename F>
Json records(int kind, F decode)
{
    Json list = Json::array();
    DB_getr(kind, nullptr);
    unsigned char rec[N];
    for (int i = 0; i < kMaxRecords; ++i) {
        std::memset(rec, 0, N);
        if (DB_getr(kind, rec) != 0)
            break;
        list.push_back(decode(static_cast<const unsigned char*>(rec)));
    }
    return list;
}

Json recordsSection()
{
    Json out = Json::object();
    unsigned char project[TEVA_SIZE_PROJECT] = {};
    Json header = Json::object();
    if (DB_get(TEVA_REC_PROJECT, project) == 0)
        header["title"] = str(getText(project, 0, TEVA_SIZE_PROJECT));
    out["project"] = std::move(header);
    out["levels"] = records<TEVA_SIZE_LEVEL>(TEVA_REC_LEVEL, [](const unsigned char* r) {
        const LevelRecord l = decodeLevel(r);
        Json e = Json::object();
        e["type"] = num(l.type);
        e["nameNumber"] = num(l.nameNumber);
        e["baseLayer"] = num(l.baseLayer);
        e["height"] = num(l.height);
        return e;
    });
    out["axisLines"] = records<TEVA_SIZE_AXIS_LINE>(TEVA_REC_AXIS_LINE, [](const unsigned char* r) {
        const AxisLineRecord a = decodeAxisLine(r);
        Json e = Json::object();
        e["lineId"] = num(a.lineId);
        e["type"] = num(a.type);
        e["nameNumber"] = num(a.nameNumber);
        e["layer"] = num(a.layer);
        e["pointCount"] = num(a.pointCount);
        e["x1"] = num(a.x1);
        e["y1"] = num(a.y1);
        return e;
    });
    out["axisPoints"] = records<TEVA_SIZE_AXIS_POINT>(TEVA_REC_AXIS_POINT, [](const unsigned char* r) {
        const AxisPointRecord p = decodeAxisPoint(r);
        Json e = Json::object();
        e["lineId"] = num(p.lineId);
        e["index"] = num(p.index);
        e["x"] = num(p.x);
        e["y"] = num(p.y);
        return e;
    });
    out["slopes"] = records<TEVA_SIZE_SLOPE>(TEVA_REC_SLOPE, [](const unsigned char* r) {
        const SlopeRecord s = decodeSlope(r);
        Json e = Json::object();
        e["slopeNumber"] = num(s.slopeNumber);
        Json edges = Json::array();
        for (int16_t a : s.edgeAxis)
            edges.push_back(num(a));
        e["edgeAxes"] = std::move(edges);
        e["vertexCount"] = num(s.vertexCount);
        e["word12"] = num(s.word12);
        e["lowerStorey"] = num(s.lowerStorey);
        e["lowerSub"] = num(s.lowerSub);
        e["bottomAxis"] = num(s.bottomAxis);
        e["bottomCount"] = num(s.bottomCount);
        e["definition"] = num(s.definition);
        e["upperStorey"] = num(s.upperStorey);
        e["upperSub"] = num(s.upperSub);
        e["topAxis"] = num(s.topAxis);
        e["topCount"] = num(s.topCount);
        e["meshRecord"] = num(s.meshRecord);
        // Bytes past the named fields are zero as the editor writes them;
        // any that are not are shown by offset.
        Json extra = Json::array();
        for (int off = 34; off < TEVA_SIZE_SLOPE; off += 2) {
            if (getI16(r, off) != 0) {
                Json w = Json::array();
                w.push_back(num(off));
                w.push_back(num(getI16(r, off)));
                extra.push_back(std::move(w));
            }
        }
        e["otherWords"] = std::move(extra);
        return e;
    });
    out["slopeEdges"] = records<TEVA_SIZE_SLOPE_EDGE>(TEVA_REC_SLOPE_EDGE, [](const unsigned char* r) {
        const SlopeEdgeRecord s = decodeSlopeEdge(r);
        Json e = Json::object();
        e["slopeNumber"] = num(s.slopeNumber);
        e["edgeNumber"] = num(s.edgeNumber);
        e["axis"] = num(s.axis);
        return e;
    });
    out["meshFiles"] = records<TEVA_SIZE_MESH_FILE>(TEVA_REC_MESH_FILE, [](const unsigned char* r) {
        const MeshFileRecord m = decodeMeshFile(r);
        Json e = Json::object();
        e["number"] = num(m.number);
        e["path"] = str(m.path);
        return e;
    });
    return out;
}

Json slopeEntry(int code)
{
    Json e = Json::object();
    const int number = (-code) / 32768;
    e["code"] = num(code);
    e["number"] = num(number);
    e["name"] = str(nameOf(TEVA_NAME_SLOPE, number));
    e["lowerStorey"] = num((-code) % 32768);
    const int n = sp_GetMaxBayS(code);
    Json edges = Json::array();
    Json corners = Json::array();
    std::vector<std::array<double, 3>> pts;
    if (n >= 1 && n <= kMaxNameNumber) {
        std::vector<int> list(static_cast<size_t>(n) + 1), axes(static_cast<size_t>(n) + 1, 0);
        for (int j = 0; j <= n; ++j)
            list[static_cast<size_t>(j)] = j + 1;
        const int m = sp_pwno_N(code, n, list.data());
        if (m == n && sp_pwno_L(code, n, list.data(), axes.data()) >= 0) {
            for (int j = 0; j < n; ++j)
                edges.push_back(str(nameOf(TEVA_NAME_AXIS, sp_wnam(axes[static_cast<size_t>(j)]))));
            for (int j = 0; j < n; ++j) {
                const int a = axes[static_cast<size_t>(j)], b = axes[static_cast<size_t>((j + 1) % n)];
                Json corner = Json::object();
                Json pair = Json::array();
                pair.push_back(str(nameOf(TEVA_NAME_AXIS, sp_wnam(a))));
                pair.push_back(str(nameOf(TEVA_NAME_AXIS, sp_wnam(b))));
                corner["axes"] = std::move(pair);
                const int c = sp_xnow(a, b);
                corner["crossing"] = num(c);
                corner["node"] = num(c > 0 ? sp_nno(code, c) : 0);
                float x, y, z;
                if (c > 0 && sp_GetCord3d(code, c, &x, &y, &z) == 0) {
                    Json p = Json::array();
                    p.push_back(num(x));
                    p.push_back(num(y));
                    p.push_back(num(z));
                    corner["position"] = std::move(p);
                    pts.push_back({x, y, z});
                } else {
                    corner["position"] = Json(nullptr);
                }
                corners.push_back(std::move(corner));
            }
        }
    }
    e["edgeCount"] = num(n);
    e["edges"] = std::move(edges);
    e["corners"] = std::move(corners);
    // The same least-squares fit the library makes its plane with.
    if (const auto fitted = teva::fitPlane(pts)) {
        const double a = fitted->a, b = fitted->b, c = fitted->c;
        Json plane = Json::object();
        plane["a"] = num(a);
        plane["b"] = num(b);
        plane["c"] = num(c);
        plane["pitchDegrees"] = num(std::atan(std::hypot(a, b)) * 180.0 / M_PI);
        e["plane"] = std::move(plane);
    } else {
        e["plane"] = Json(nullptr);
    }
    return e;
}

} // namespace

Json collectDump()
{
    DB_restruct(0);
    Json d = Json::object();
    unsigned char project[TEVA_SIZE_PROJECT] = {};
    d["title"] = str(DB_get(TEVA_REC_PROJECT, project) == 0 ? getText(project, 0, TEVA_SIZE_PROJECT) : "");
    d["names"] = names();

    const int storeyCount = sp_GetMaxSeqLay();
    Json storeys = Json::array();
    for (int k = 1; k <= storeyCount; ++k) {
        Json s = Json::object();
        s["number"] = num(k);
        s["name"] = str(nameOf(TEVA_NAME_STOREY, k));
        unsigned char buf[16] = {};
        s["height"] = DB_Uhgget(1, k, buf) == 0 ? num(getF64(buf, 8)) : Json(nullptr);
        storeys.push_back(std::move(s));
    }
    d["storeys"] = std::move(storeys);

    const int crossings = sp_GetMaxCros();
    Json layers = Json::array();
    Json slopes = Json::array();
    for (int i = 1; i < kMaxRecords; ++i) {
        const int code = sp_lslay(i);
        if (code == 0)
            break;
        Json l = Json::object();
        l["index"] = num(i);
        l["code"] = num(code);
        std::string kind, label;
        if (code < 0) {
            kind = "slope";
            label = nameOf(TEVA_NAME_SLOPE, (-code) / 32768);
        } else if (code < 32768) {
            kind = "storey";
            label = nameOf(TEVA_NAME_STOREY, code);
        } else {
            kind = "sublayer";
            label = nameOf(TEVA_NAME_STOREY, code % 32768) + " - " +
                    nameOf(TEVA_NAME_SUBLAYER, code / 32768);
        }
        l["kind"] = str(kind);
        l["label"] = str(label);
        Json height = Json(nullptr);
        if (kind == "storey") {
            unsigned char buf[16] = {};
            if (DB_Uhgget(1, code, buf) == 0)
                height = num(getF64(buf, 8));
        } else if (kind == "sublayer" && crossings >= 1) {
            float x, y, z;
            if (sp_GetCord3d(code, 1, &x, &y, &z) == 0)
                height = num(z);
        }
        l["height"] = std::move(height);
        l["nodes"] = num(sp_GetMaxNode(code));
        l["spans"] = num(sp_GetMaxSpan(code));
        layers.push_back(std::move(l));
        if (code < 0)
            slopes.push_back(slopeEntry(code));
    }
    d["layers"] = std::move(layers);

    Json axes = Json::array();
    const int axisCount = sp_GetMaxLin(0);
    for (int i = 1; i <= axisCount; ++i) {
        Json a = Json::object();
        a["number"] = num(i);
        const int nameCode = sp_wnam(i);
        a["nameCode"] = num(nameCode);
        a["name"] = str(nameOf(TEVA_NAME_AXIS, nameCode));
        float x1, y1, x2, y2;
        if (sp_GetTwoPntCord(1, i, &x1, &y1, &x2, &y2) == 0) {
            a["from"] = point2(x1, y1);
            a["to"] = point2(x2, y2);
        }
        axes.push_back(std::move(a));
    }
    d["axes"] = std::move(axes);
    d["crossings"] = num(crossings);
    d["nodes"] = num(sp_GetMaxNode(1));
    d["slopes"] = std::move(slopes);
    d["records"] = recordsSection();
    return d;
}

namespace {

// Dumped names are UTF-8 as the library keeps them; a damaged one is shown
// with replacement characters rather than refused.
std::string compact(const Json& v)
{
    return v.dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::string fmt(const Json& v)
{
    return v.is_null() ? "-" : compact(v);
}

std::string textOf(const Json& v)
{
    return v.is_string() ? v.get<std::string>() : std::string();
}

double numberOf(const Json& v)
{
    return v.is_number() ? v.get<double>() : 0.0;
}

std::string pad(std::string s, size_t width)
{
    if (s.size() < width)
        s.append(width - s.size(), ' ');
    return s;
}

const Json& at(const Json& v, const char* key)
{
    static const Json none;
    if (!v.is_object())
        return none;
    const auto it = v.find(key);
    return it == v.end() ? none : *it;
}

// The items of a list; none for anything else.
const Json& list(const Json& v, const char* key)
{
    static const Json empty = Json::array();
    const Json& l = at(v, key);
    return l.is_array() ? l : empty;
}

std::string count(const Json& v, const char* key)
{
    return std::to_string(list(v, key).size());
}

} // namespace

std::string formatDump(const Json& d)
{
    std::string out;
    out += "Project " + fmt(at(d, "title")) + "\n\n";

    out += "Names\n";
    if (at(d, "names").is_object()) {
        for (const auto& [kind, names] : at(d, "names").items()) {
            out += "  " + pad(kind, 9) + "(" + std::to_string(names.size()) + ")";
            for (const Json& n : names)
                out += "  " + fmt(at(n, "number")) + " " + fmt(at(n, "name"));
            out += "\n";
        }
    }

    out += "\nStoreys (" + count(d, "storeys") + ")\n";
    for (const Json& s : list(d, "storeys"))
        out += "  " + pad(fmt(at(s, "number")), 4) + pad(fmt(at(s, "name")), 24) + "height " +
               fmt(at(s, "height")) + "\n";

    out += "\nLayers (" + count(d, "layers") + ")\n";
    out += "  index  code        kind      label                         height    nodes  spans\n";
    for (const Json& l : list(d, "layers"))
        out += "  " + pad(fmt(at(l, "index")), 7) + pad(fmt(at(l, "code")), 12) +
               pad(textOf(at(l, "kind")), 10) + pad(fmt(at(l, "label")), 30) +
               pad(fmt(at(l, "height")), 10) + pad(fmt(at(l, "nodes")), 7) + fmt(at(l, "spans")) + "\n";

    out += "\nAxes (" + count(d, "axes") + ")\n";
    for (const Json& a : list(d, "axes"))
        out += "  " + pad(fmt(at(a, "number")), 6) + pad(fmt(at(a, "name")), 16) + "name " +
               pad(fmt(at(a, "nameCode")), 6) + fmt(at(a, "from")) + " - " + fmt(at(a, "to")) + "\n";

    out += "\nCrossings " + fmt(at(d, "crossings")) + ", nodes " + fmt(at(d, "nodes")) + "\n";

    out += "\nSlopes (" + count(d, "slopes") + ")\n";
    for (const Json& s : list(d, "slopes")) {
        out += "  " + fmt(at(s, "name")) + "  code " + fmt(at(s, "code")) + ", number " +
               fmt(at(s, "number")) + ", " + fmt(at(s, "edgeCount")) + " edges:";
        for (const Json& e : list(s, "edges"))
            out += " " + textOf(e);
        out += "\n";
        int j = 1;
        for (const Json& c : list(s, "corners")) {
            const Json& axes = list(c, "axes");
            out += "    corner " + pad(std::to_string(j++), 4) +
                   pad((axes.size() == 2 ? textOf(axes[0]) + "/" + textOf(axes[1]) : "?"), 16) +
                   "crossing " + pad(fmt(at(c, "crossing")), 7) + "node " + pad(fmt(at(c, "node")), 7) +
                   fmt(at(c, "position")) + "\n";
        }
        const Json& p = at(s, "plane");
        if (p.is_object()) {
            const double a = numberOf(at(p, "a")), b = numberOf(at(p, "b")), c = numberOf(at(p, "c"));
            char buf[200];
            std::snprintf(buf, sizeof buf, "    plane z = %.6g x %c %.6g y %c %.6g (pitch %.2f degrees)\n", a,
                          b < 0 ? '-' : '+', std::fabs(b), c < 0 ? '-' : '+', std::fabs(c),
                          numberOf(at(p, "pitchDegrees")));
            out += buf;
        } else {
            out += "    plane: none (the corners do not span a plane)\n";
        }
    }

    out += "\nRecords\n";
    const Json& r = at(d, "records");
    out += "  project (kind 1): title " + fmt(at(at(r, "project"), "title")) + "\n";
    const std::pair<const char*, const char*> kinds[] = {
        {"levels", "level (kind 12)"},         {"axisLines", "axis line (kind 15)"},
        {"axisPoints", "axis point (kind 17)"}, {"slopes", "slope (kind 18)"},
        {"slopeEdges", "slope edge (kind 19)"}, {"meshFiles", "mesh file (kind 171)"}};
    for (const auto& [key, title] : kinds) {
        out += "  " + std::string(title) + ": " + count(r, key) + "\n";
        for (const Json& rec : list(r, key)) {
            out += "   ";
            if (rec.is_object()) {
                for (const auto& [field, value] : rec.items())
                    out += " " + field + "=" + fmt(value);
            }
            out += "\n";
        }
    }
    return out;
}

} // namespace teva
