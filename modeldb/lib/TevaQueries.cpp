// Model query entries of tevalib.h: answered from the derived model held in
// memory, in constant or logarithmic time.
#include "Session.h"
#include "tevalib.h"

#include <algorithm>

using namespace teva;

namespace {

// Most crossings sp_nnox_L writes (the size of the callers' lists).
constexpr int kMaxListed = 512;

const ModelTopology* model()
{
    const Project* project = openProject();
    return project ? &project->topology() : nullptr;
}

// The layer `code` of the open model, or null.
const LayerInfo* findLayer(const ModelTopology* m, int code)
{
    return m ? m->layer(code) : nullptr;
}

bool inRange(int value, std::size_t count)
{
    return value >= 1 && static_cast<std::size_t>(value) <= count;
}

// The slope entry with layer code `code`, or null.
const SlopeInfo* findSlope(const ModelTopology* m, int code)
{
    const LayerInfo* layer = code < 0 ? findLayer(m, code) : nullptr;
    return layer && layer->slope ? &m->slopes()[static_cast<std::size_t>(layer->slope - 1)]
                                 : nullptr;
}

} // namespace

extern "C" {

// ---- Layers ---------------------------------------------------------------

TEVA_API int sp_lslay(int index)
{
    return guarded(0, [&] {
        const ModelTopology* m = model();
        if (!m || !inRange(index, m->layers().size()))
            return 0;
        return m->layers()[static_cast<std::size_t>(index - 1)].code;
    });
}

TEVA_API int sp_layls(int code)
{
    return guarded(0, [&] {
        const ModelTopology* m = model();
        return m ? m->layerIndex(code) : 0;
    });
}

TEVA_API int sp_lslevel(int, int code, int)
{
    // The crossing does not matter: every layer holds every crossing.
    return sp_layls(code);
}

TEVA_API int sp_cpnam(int code)
{
    return guarded(0, [&] { return findLayer(model(), code) ? code : 0; });
}

TEVA_API int sp_cpno(int nameCode)
{
    return guarded(0, [&] { return findLayer(model(), nameCode) ? nameCode : 0; });
}

TEVA_API int sp_GetSubLayNo(int low, int high)
{
    return guarded(-1, [&] {
        const ModelTopology* m = model();
        if (!m || low < 1 || low > m->storeyCount() || high < 0 || high > 32767)
            return -1;
        if (high == 0)
            return 0;
        const LayerInfo* layer = m->layer(low + 32768 * high);
        return layer && !layer->slope ? high : -1;
    });
}

TEVA_API int sp_GetMaxSeqLay(void)
{
    return guarded(-1, [] {
        const ModelTopology* m = model();
        return m ? m->storeyCount() : -1;
    });
}

TEVA_API int sp_GetMaxLevel(void)
{
    return guarded(-1, [] {
        const ModelTopology* m = model();
        return m ? m->levelRecordCount() : -1;
    });
}

// ---- Axes and crossings ---------------------------------------------------

TEVA_API int sp_GetMaxLin(int layer)
{
    return guarded(-1, [&] {
        const ModelTopology* m = model();
        if (!m || (layer != 0 && !m->layer(layer)))
            return -1;
        return static_cast<int>(m->axes().size());
    });
}

TEVA_API int sp_wnam(int axis)
{
    return guarded(-1, [&] {
        const ModelTopology* m = model();
        if (!m || !inRange(axis, m->axes().size()))
            return -1;
        return m->axes()[static_cast<std::size_t>(axis - 1)].name;
    });
}

TEVA_API int sp_wno(int nameCode)
{
    return guarded(-1, [&] {
        const ModelTopology* m = model();
        return m ? m->axisByName(nameCode) : -1;
    });
}

TEVA_API int sp_GetTwoPntCord(int layer, int axis, float* x1, float* y1, float* x2, float* y2)
{
    return guarded(-1, [&] {
        const ModelTopology* m = model();
        if (!m || !x1 || !y1 || !x2 || !y2 || (layer != 0 && !m->layer(layer)) ||
            !inRange(axis, m->axes().size()))
            return -1;
        const AxisInfo& a = m->axes()[static_cast<std::size_t>(axis - 1)];
        *x1 = static_cast<float>(a.x1);
        *y1 = static_cast<float>(a.y1);
        *x2 = static_cast<float>(a.x2);
        *y2 = static_cast<float>(a.y2);
        return 0;
    });
}

TEVA_API int sp_GetMaxCros(void)
{
    return guarded(-1, [] {
        const ModelTopology* m = model();
        return m ? static_cast<int>(m->crossings().size()) : -1;
    });
}

TEVA_API int sp_xwno2(int crossing, int* axisA, int* axisB)
{
    return guarded(-1, [&] {
        const ModelTopology* m = model();
        if (!m || !axisA || !axisB || !inRange(crossing, m->crossings().size()))
            return -1;
        const CrossingInfo& c = m->crossings()[static_cast<std::size_t>(crossing - 1)];
        *axisA = c.axisA;
        *axisB = c.axisB;
        return 0;
    });
}

TEVA_API int sp_xnow(int axisA, int axisB)
{
    return guarded(0, [&] {
        const ModelTopology* m = model();
        return m ? m->crossingOf(axisA, axisB) : 0;
    });
}

// ---- Nodes, positions, spans ----------------------------------------------

TEVA_API int sp_GetMaxNode(int layer)
{
    return guarded(-1, [&] {
        const ModelTopology* m = model();
        return findLayer(m, layer) ? m->nodeCount() : -1;
    });
}

TEVA_API int sp_nno(int layer, int crossing)
{
    return guarded(-1, [&] {
        const ModelTopology* m = model();
        if (!findLayer(m, layer) || !inRange(crossing, m->crossings().size()))
            return -1;
        return m->crossings()[static_cast<std::size_t>(crossing - 1)].node;
    });
}

TEVA_API int sp_nnox_L(int layer, int node, int* list)
{
    return guarded(-1, [&] {
        const ModelTopology* m = model();
        if (!list || !findLayer(m, layer) || !inRange(node, static_cast<std::size_t>(m->nodeCount())))
            return -1;
        const std::vector<int>& crossings = m->nodeCrossings(node);
        const int count = std::min(static_cast<int>(crossings.size()), kMaxListed);
        std::copy_n(crossings.begin(), count, list);
        return count;
    });
}

TEVA_API int sp_nnox_N(int layer, int node)
{
    return guarded(-1, [&] {
        const ModelTopology* m = model();
        if (!findLayer(m, layer) || !inRange(node, static_cast<std::size_t>(m->nodeCount())))
            return -1;
        return std::min(static_cast<int>(m->nodeCrossings(node).size()), kMaxListed);
    });
}

TEVA_API int sp_GetCord3d(int layer, int crossing, float* x, float* y, float* z)
{
    return guarded(-1, [&] {
        const ModelTopology* m = model();
        const LayerInfo* info = findLayer(m, layer);
        if (!info || !x || !y || !z || !inRange(crossing, m->crossings().size()))
            return -1;
        const CrossingInfo& c = m->crossings()[static_cast<std::size_t>(crossing - 1)];
        double height = 0;
        if (!m->heightAt(*info, c.x, c.y, height))
            return -1;
        *x = static_cast<float>(c.x);
        *y = static_cast<float>(c.y);
        *z = static_cast<float>(height);
        return 0;
    });
}

TEVA_API int sp_GetMaxMinCord(int storeyIndex, float* maxX, float* maxY, float* minX, float* minY)
{
    return guarded(-1, [&] {
        const ModelTopology* m = model();
        if (!m || !maxX || !maxY || !minX || !minY || storeyIndex < 0 ||
            storeyIndex >= m->storeyCount())
            return -1;
        double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        // Without crossings the extent is the origin, and the answer says so.
        const bool found = m->extent(x0, y0, x1, y1);
        *maxX = static_cast<float>(x1);
        *maxY = static_cast<float>(y1);
        *minX = static_cast<float>(x0);
        *minY = static_cast<float>(y0);
        return found ? 0 : -1;
    });
}

TEVA_API int sp_GetMaxSpan(int layer)
{
    return guarded(-1, [&] {
        const ModelTopology* m = model();
        return findLayer(m, layer) ? static_cast<int>(m->spans().size()) : -1;
    });
}

TEVA_API int sp_snox(int layer, int span, int* axis, int* cutAxis1, int* cutAxis2)
{
    return guarded(-1, [&] {
        const ModelTopology* m = model();
        if (!axis || !cutAxis1 || !cutAxis2 || !findLayer(m, layer) ||
            !inRange(span, m->spans().size()))
            return -1;
        const SpanInfo& s = m->spans()[static_cast<std::size_t>(span - 1)];
        *axis = s.axis;
        *cutAxis1 = s.cut1;
        *cutAxis2 = s.cut2;
        return 0;
    });
}

TEVA_API int sp_scon(int layer, int axis, int* firstSpan, int* lastSpan)
{
    return guarded(-1, [&] {
        const ModelTopology* m = model();
        int first = 0, last = 0;
        if (!firstSpan || !lastSpan || !findLayer(m, layer) || !m->axisSpans(axis, first, last))
            return -1;
        *firstSpan = first;
        *lastSpan = last;
        return 0;
    });
}

TEVA_API int sp_snon(int layer, int span, int* node1, int* node2)
{
    return guarded(-1, [&] {
        const ModelTopology* m = model();
        if (!node1 || !node2 || !findLayer(m, layer) || !inRange(span, m->spans().size()))
            return -1;
        const SpanInfo& s = m->spans()[static_cast<std::size_t>(span - 1)];
        *node1 = s.node1;
        *node2 = s.node2;
        return 0;
    });
}

TEVA_API int sp_sno(int layer, int, int crossing1, int crossing2, int* span, int*, int*, int)
{
    // The work lists are not needed: the answer is a table look-up.
    return guarded(-1, [&] {
        const ModelTopology* m = model();
        if (!span)
            return -1;
        *span = 0;
        if (!findLayer(m, layer) || !inRange(crossing1, m->crossings().size()) ||
            !inRange(crossing2, m->crossings().size()))
            return -1;
        const int found =
            m->spanBetweenNodes(m->crossings()[static_cast<std::size_t>(crossing1 - 1)].node,
                                m->crossings()[static_cast<std::size_t>(crossing2 - 1)].node);
        if (found < 1)
            return -1;
        *span = found;
        return 0;
    });
}

TEVA_API int sp_Pnt2ToSpanFB(int layer, int node1, int node2)
{
    return guarded(-1, [&] {
        const ModelTopology* m = model();
        if (!findLayer(m, layer))
            return -1;
        const int found = m->spanBetweenNodes(node1, node2);
        return found > 0 ? found : -1;
    });
}

TEVA_API int sp_st_spn_get(void) { return -1; }

// ---- Slopes ----------------------------------------------------------------

TEVA_API int sp_GetMaxBayS(int slope)
{
    return guarded(-1, [&] {
        const SlopeInfo* s = findSlope(model(), slope);
        return s ? static_cast<int>(s->edgeAxes.size()) : -1;
    });
}

TEVA_API int sp_pwno_N(int slope, int n, int*)
{
    return guarded(-1, [&] {
        const SlopeInfo* s = findSlope(model(), slope);
        if (!s || s->edgeAxes.empty() || n != static_cast<int>(s->edgeAxes.size()))
            return -1;
        return n;
    });
}

TEVA_API int sp_pwno_L(int slope, int n, int*, int* out)
{
    return guarded(-1, [&] {
        const SlopeInfo* s = findSlope(model(), slope);
        if (!out || !s || s->edgeAxes.empty() || n != static_cast<int>(s->edgeAxes.size()))
            return -1;
        std::copy(s->edgeAxes.begin(), s->edgeAxes.end(), out);
        return n;
    });
}

TEVA_API int sp_GetMaxLinG(void) { return -1; }
TEVA_API int sp_GetMaxEdge(void) { return -1; }

} // extern "C"
