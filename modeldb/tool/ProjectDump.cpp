#include "ProjectDump.h"
#include "lib/PlaneFit.h"

#include "RecordLayouts.h"
#include "tevalib.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

namespace teva {

namespace {

constexpr int kMaxRecords = 1 << 20;
constexpr int kMaxNameNumber = 32767;

JsonValue num(double v) { return JsonValue::number(v); }
JsonValue str(std::string s) { return JsonValue::string(std::move(s)); }

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

JsonValue point2(double x, double y)
{
    JsonValue p = JsonValue::array();
    p.append(num(x));
    p.append(num(y));
    return p;
}

JsonValue names()
{
    JsonValue out = JsonValue::object();
    const std::pair<int, const char*> kinds[] = {
        {TEVA_NAME_STOREY, "storey"}, {TEVA_NAME_AXIS, "axis"},
        {TEVA_NAME_SUBLAYER, "sublayer"}, {TEVA_NAME_SLOPE, "slope"}};
    for (const auto& [kind, key] : kinds) {
        JsonValue list = JsonValue::array();
        // Names have no enumeration entry: every 16-bit number is asked.
        for (int n = 1; n <= kMaxNameNumber; ++n) {
            char buf[64] = {};
            if (DB_Usino(kind, static_cast<short>(n), buf) != 0)
                continue;
            buf[63] = '\0';
            JsonValue e = JsonValue::object();
            e.set("number", num(n));
            e.set("name", str(buf));
            list.append(std::move(e));
        }
        out.set(key, std::move(list));
    }
    return out;
}

template <size_t N, typename F>
JsonValue records(int kind, F decode)
{
    JsonValue list = JsonValue::array();
    DB_getr(kind, nullptr);
    unsigned char rec[N];
    for (int i = 0; i < kMaxRecords; ++i) {
        std::memset(rec, 0, N);
        if (DB_getr(kind, rec) != 0)
            break;
        list.append(decode(static_cast<const unsigned char*>(rec)));
    }
    return list;
}

JsonValue recordsSection()
{
    JsonValue out = JsonValue::object();
    unsigned char project[TEVA_SIZE_PROJECT] = {};
    JsonValue header = JsonValue::object();
    if (DB_get(TEVA_REC_PROJECT, project) == 0)
        header.set("title", str(getText(project, 0, TEVA_SIZE_PROJECT)));
    out.set("project", std::move(header));
    out.set("levels", records<TEVA_SIZE_LEVEL>(TEVA_REC_LEVEL, [](const unsigned char* r) {
        const LevelRecord l = decodeLevel(r);
        JsonValue e = JsonValue::object();
        e.set("type", num(l.type));
        e.set("nameNumber", num(l.nameNumber));
        e.set("baseLayer", num(l.baseLayer));
        e.set("height", num(l.height));
        return e;
    }));
    out.set("axisLines", records<TEVA_SIZE_AXIS_LINE>(TEVA_REC_AXIS_LINE, [](const unsigned char* r) {
        const AxisLineRecord a = decodeAxisLine(r);
        JsonValue e = JsonValue::object();
        e.set("lineId", num(a.lineId));
        e.set("type", num(a.type));
        e.set("nameNumber", num(a.nameNumber));
        e.set("layer", num(a.layer));
        e.set("pointCount", num(a.pointCount));
        e.set("x1", num(a.x1));
        e.set("y1", num(a.y1));
        return e;
    }));
    out.set("axisPoints", records<TEVA_SIZE_AXIS_POINT>(TEVA_REC_AXIS_POINT, [](const unsigned char* r) {
        const AxisPointRecord p = decodeAxisPoint(r);
        JsonValue e = JsonValue::object();
        e.set("lineId", num(p.lineId));
        e.set("index", num(p.index));
        e.set("x", num(p.x));
        e.set("y", num(p.y));
        return e;
    }));
    out.set("slopes", records<TEVA_SIZE_SLOPE>(TEVA_REC_SLOPE, [](const unsigned char* r) {
        const SlopeRecord s = decodeSlope(r);
        JsonValue e = JsonValue::object();
        e.set("slopeNumber", num(s.slopeNumber));
        JsonValue edges = JsonValue::array();
        for (int16_t a : s.edgeAxis)
            edges.append(num(a));
        e.set("edgeAxes", std::move(edges));
        e.set("vertexCount", num(s.vertexCount));
        e.set("word12", num(s.word12));
        e.set("lowerStorey", num(s.lowerStorey));
        e.set("lowerSub", num(s.lowerSub));
        e.set("bottomAxis", num(s.bottomAxis));
        e.set("bottomCount", num(s.bottomCount));
        e.set("definition", num(s.definition));
        e.set("upperStorey", num(s.upperStorey));
        e.set("upperSub", num(s.upperSub));
        e.set("topAxis", num(s.topAxis));
        e.set("topCount", num(s.topCount));
        e.set("meshRecord", num(s.meshRecord));
        // Bytes past the named fields are zero as the editor writes them;
        // any that are not are shown by offset.
        JsonValue extra = JsonValue::array();
        for (int off = 34; off < TEVA_SIZE_SLOPE; off += 2) {
            if (getI16(r, off) != 0) {
                JsonValue w = JsonValue::array();
                w.append(num(off));
                w.append(num(getI16(r, off)));
                extra.append(std::move(w));
            }
        }
        e.set("otherWords", std::move(extra));
        return e;
    }));
    out.set("slopeEdges", records<TEVA_SIZE_SLOPE_EDGE>(TEVA_REC_SLOPE_EDGE, [](const unsigned char* r) {
        const SlopeEdgeRecord s = decodeSlopeEdge(r);
        JsonValue e = JsonValue::object();
        e.set("slopeNumber", num(s.slopeNumber));
        e.set("edgeNumber", num(s.edgeNumber));
        e.set("axis", num(s.axis));
        return e;
    }));
    out.set("meshFiles", records<TEVA_SIZE_MESH_FILE>(TEVA_REC_MESH_FILE, [](const unsigned char* r) {
        const MeshFileRecord m = decodeMeshFile(r);
        JsonValue e = JsonValue::object();
        e.set("number", num(m.number));
        e.set("path", str(m.path));
        return e;
    }));
    return out;
}

JsonValue slopeEntry(int code)
{
    JsonValue e = JsonValue::object();
    const int number = (-code) / 32768;
    e.set("code", num(code));
    e.set("number", num(number));
    e.set("name", str(nameOf(TEVA_NAME_SLOPE, number)));
    e.set("lowerStorey", num((-code) % 32768));
    const int n = sp_GetMaxBayS(code);
    JsonValue edges = JsonValue::array();
    JsonValue corners = JsonValue::array();
    std::vector<std::array<double, 3>> pts;
    if (n >= 1 && n <= kMaxNameNumber) {
        std::vector<int> list(static_cast<size_t>(n) + 1), axes(static_cast<size_t>(n) + 1, 0);
        for (int j = 0; j <= n; ++j)
            list[static_cast<size_t>(j)] = j + 1;
        const int m = sp_pwno_N(code, n, list.data());
        if (m == n && sp_pwno_L(code, n, list.data(), axes.data()) >= 0) {
            for (int j = 0; j < n; ++j)
                edges.append(str(nameOf(TEVA_NAME_AXIS, sp_wnam(axes[static_cast<size_t>(j)]))));
            for (int j = 0; j < n; ++j) {
                const int a = axes[static_cast<size_t>(j)], b = axes[static_cast<size_t>((j + 1) % n)];
                JsonValue corner = JsonValue::object();
                JsonValue pair = JsonValue::array();
                pair.append(str(nameOf(TEVA_NAME_AXIS, sp_wnam(a))));
                pair.append(str(nameOf(TEVA_NAME_AXIS, sp_wnam(b))));
                corner.set("axes", std::move(pair));
                const int c = sp_xnow(a, b);
                corner.set("crossing", num(c));
                corner.set("node", num(c > 0 ? sp_nno(code, c) : 0));
                float x, y, z;
                if (c > 0 && sp_GetCord3d(code, c, &x, &y, &z) == 0) {
                    JsonValue p = JsonValue::array();
                    p.append(num(x));
                    p.append(num(y));
                    p.append(num(z));
                    corner.set("position", std::move(p));
                    pts.push_back({x, y, z});
                } else {
                    corner.set("position", JsonValue::null());
                }
                corners.append(std::move(corner));
            }
        }
    }
    e.set("edgeCount", num(n));
    e.set("edges", std::move(edges));
    e.set("corners", std::move(corners));
    // The same least-squares fit the library makes its plane with.
    if (const auto fitted = teva::fitPlane(pts)) {
        const double a = fitted->a, b = fitted->b, c = fitted->c;
        JsonValue plane = JsonValue::object();
        plane.set("a", num(a));
        plane.set("b", num(b));
        plane.set("c", num(c));
        plane.set("pitchDegrees", num(std::atan(std::hypot(a, b)) * 180.0 / M_PI));
        e.set("plane", std::move(plane));
    } else {
        e.set("plane", JsonValue::null());
    }
    return e;
}

} // namespace

JsonValue collectDump()
{
    DB_restruct(0);
    JsonValue d = JsonValue::object();
    unsigned char project[TEVA_SIZE_PROJECT] = {};
    d.set("title", str(DB_get(TEVA_REC_PROJECT, project) == 0 ? getText(project, 0, TEVA_SIZE_PROJECT) : ""));
    d.set("names", names());

    const int storeyCount = sp_GetMaxSeqLay();
    JsonValue storeys = JsonValue::array();
    for (int k = 1; k <= storeyCount; ++k) {
        JsonValue s = JsonValue::object();
        s.set("number", num(k));
        s.set("name", str(nameOf(TEVA_NAME_STOREY, k)));
        unsigned char buf[16] = {};
        s.set("height", DB_Uhgget(1, k, buf) == 0 ? num(getF64(buf, 8)) : JsonValue::null());
        storeys.append(std::move(s));
    }
    d.set("storeys", std::move(storeys));

    const int crossings = sp_GetMaxCros();
    JsonValue layers = JsonValue::array();
    JsonValue slopes = JsonValue::array();
    for (int i = 1; i < kMaxRecords; ++i) {
        const int code = sp_lslay(i);
        if (code == 0)
            break;
        JsonValue l = JsonValue::object();
        l.set("index", num(i));
        l.set("code", num(code));
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
        l.set("kind", str(kind));
        l.set("label", str(label));
        JsonValue height = JsonValue::null();
        if (kind == "storey") {
            unsigned char buf[16] = {};
            if (DB_Uhgget(1, code, buf) == 0)
                height = num(getF64(buf, 8));
        } else if (kind == "sublayer" && crossings >= 1) {
            float x, y, z;
            if (sp_GetCord3d(code, 1, &x, &y, &z) == 0)
                height = num(z);
        }
        l.set("height", std::move(height));
        l.set("nodes", num(sp_GetMaxNode(code)));
        l.set("spans", num(sp_GetMaxSpan(code)));
        layers.append(std::move(l));
        if (code < 0)
            slopes.append(slopeEntry(code));
    }
    d.set("layers", std::move(layers));

    JsonValue axes = JsonValue::array();
    const int axisCount = sp_GetMaxLin(0);
    for (int i = 1; i <= axisCount; ++i) {
        JsonValue a = JsonValue::object();
        a.set("number", num(i));
        const int nameCode = sp_wnam(i);
        a.set("nameCode", num(nameCode));
        a.set("name", str(nameOf(TEVA_NAME_AXIS, nameCode)));
        float x1, y1, x2, y2;
        if (sp_GetTwoPntCord(1, i, &x1, &y1, &x2, &y2) == 0) {
            a.set("from", point2(x1, y1));
            a.set("to", point2(x2, y2));
        }
        axes.append(std::move(a));
    }
    d.set("axes", std::move(axes));
    d.set("crossings", num(crossings));
    d.set("nodes", num(sp_GetMaxNode(1)));
    d.set("slopes", std::move(slopes));
    d.set("records", recordsSection());
    return d;
}

namespace {

std::string fmt(const JsonValue& v)
{
    if (v.isNull())
        return "-";
    if (v.isString())
        return "\"" + v.asString() + "\"";
    return v.toText(-1);
}

std::string pad(std::string s, size_t width)
{
    if (s.size() < width)
        s.append(width - s.size(), ' ');
    return s;
}

const JsonValue& at(const JsonValue& v, const char* key)
{
    static const JsonValue none;
    const JsonValue* f = v.find(key);
    return f ? *f : none;
}

} // namespace

std::string formatDump(const JsonValue& d)
{
    std::string out;
    out += "Project " + fmt(at(d, "title")) + "\n\n";

    out += "Names\n";
    for (const auto& [kind, list] : at(d, "names").members()) {
        out += "  " + pad(kind, 9) + "(" + std::to_string(list.items().size()) + ")";
        for (const JsonValue& n : list.items())
            out += "  " + fmt(at(n, "number")) + " " + fmt(at(n, "name"));
        out += "\n";
    }

    out += "\nStoreys (" + std::to_string(at(d, "storeys").items().size()) + ")\n";
    for (const JsonValue& s : at(d, "storeys").items())
        out += "  " + pad(fmt(at(s, "number")), 4) + pad(fmt(at(s, "name")), 24) + "height " +
               fmt(at(s, "height")) + "\n";

    out += "\nLayers (" + std::to_string(at(d, "layers").items().size()) + ")\n";
    out += "  index  code        kind      label                         height    nodes  spans\n";
    for (const JsonValue& l : at(d, "layers").items())
        out += "  " + pad(fmt(at(l, "index")), 7) + pad(fmt(at(l, "code")), 12) +
               pad(at(l, "kind").asString(), 10) + pad(fmt(at(l, "label")), 30) +
               pad(fmt(at(l, "height")), 10) + pad(fmt(at(l, "nodes")), 7) + fmt(at(l, "spans")) + "\n";

    out += "\nAxes (" + std::to_string(at(d, "axes").items().size()) + ")\n";
    for (const JsonValue& a : at(d, "axes").items())
        out += "  " + pad(fmt(at(a, "number")), 6) + pad(fmt(at(a, "name")), 16) + "name " +
               pad(fmt(at(a, "nameCode")), 6) + fmt(at(a, "from")) + " - " + fmt(at(a, "to")) + "\n";

    out += "\nCrossings " + fmt(at(d, "crossings")) + ", nodes " + fmt(at(d, "nodes")) + "\n";

    out += "\nSlopes (" + std::to_string(at(d, "slopes").items().size()) + ")\n";
    for (const JsonValue& s : at(d, "slopes").items()) {
        out += "  " + fmt(at(s, "name")) + "  code " + fmt(at(s, "code")) + ", number " +
               fmt(at(s, "number")) + ", " + fmt(at(s, "edgeCount")) + " edges:";
        for (const JsonValue& e : at(s, "edges").items())
            out += " " + e.asString();
        out += "\n";
        int j = 1;
        for (const JsonValue& c : at(s, "corners").items()) {
            const auto& axes = at(c, "axes").items();
            out += "    corner " + pad(std::to_string(j++), 4) +
                   pad((axes.size() == 2 ? axes[0].asString() + "/" + axes[1].asString() : "?"), 16) +
                   "crossing " + pad(fmt(at(c, "crossing")), 7) + "node " + pad(fmt(at(c, "node")), 7) +
                   fmt(at(c, "position")) + "\n";
        }
        const JsonValue& p = at(s, "plane");
        if (p.isObject()) {
            const double a = at(p, "a").asNumber(), b = at(p, "b").asNumber(), c = at(p, "c").asNumber();
            char buf[200];
            std::snprintf(buf, sizeof buf, "    plane z = %.6g x %c %.6g y %c %.6g (pitch %.2f degrees)\n", a,
                          b < 0 ? '-' : '+', std::fabs(b), c < 0 ? '-' : '+', std::fabs(c),
                          at(p, "pitchDegrees").asNumber());
            out += buf;
        } else {
            out += "    plane: none (the corners do not span a plane)\n";
        }
    }

    out += "\nRecords\n";
    const JsonValue& r = at(d, "records");
    out += "  project (kind 1): title " + fmt(at(at(r, "project"), "title")) + "\n";
    const std::pair<const char*, const char*> kinds[] = {
        {"levels", "level (kind 12)"},         {"axisLines", "axis line (kind 15)"},
        {"axisPoints", "axis point (kind 17)"}, {"slopes", "slope (kind 18)"},
        {"slopeEdges", "slope edge (kind 19)"}, {"meshFiles", "mesh file (kind 171)"}};
    for (const auto& [key, title] : kinds) {
        const auto& list = at(r, key).items();
        out += "  " + std::string(title) + ": " + std::to_string(list.size()) + "\n";
        for (const JsonValue& rec : list) {
            out += "   ";
            for (const auto& [field, value] : rec.members())
                out += " " + field + "=" + fmt(value);
            out += "\n";
        }
    }
    return out;
}

} // namespace teva
