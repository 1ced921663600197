// Where two axes (straight plan segments) cross, by the model's rule: the
// axes are not parallel and their segments meet, ends included, within
// half a millimetre.
#ifndef TEVA_AXISCROSSING_H
#define TEVA_AXISCROSSING_H

namespace teva {

struct PlanPoint {
    double x = 0.0;
    double y = 0.0;
};

struct PlanSegment {
    PlanPoint a;
    PlanPoint b;
};

// True when the segments cross; `at` receives the crossing point.
bool crossAxes(const PlanSegment& s, const PlanSegment& t, PlanPoint& at);

// Plan distance between two points.
double planDistance(const PlanPoint& p, const PlanPoint& q);

} // namespace teva

#endif
