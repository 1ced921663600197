#pragma once
// A stand-in editor view that records what the side panes ask of it, and
// is the session's view while it lives.

#include <utility>
#include <vector>

#include "panels/SessionContext.h"

struct ViewRequests {
    float azimuth = -1;
    float elevation = -1;
    bool parallel = false;
    int angleSets = 0;
    int projectionSets = 0;
    int resets = 0;
    int centres = 0;
    int discards = 0;
    int invalidates = 0;
    std::vector<std::pair<int, int>> drags;
};

class FakeEditorView : public EditorViewAccess {
public:
    explicit FakeEditorView(SessionContext& context) : context_(context) { context_.view = this; }
    ~FakeEditorView() override { context_.view = nullptr; }
    FakeEditorView(const FakeEditorView&) = delete;
    FakeEditorView& operator=(const FakeEditorView&) = delete;

    float Azimuth() const override { return r.azimuth; }
    float Elevation() const override { return r.elevation; }
    void SetAzimuth(float degrees) override {
        r.azimuth = degrees;
        ++r.angleSets;
    }
    void SetElevation(float degrees) override {
        r.elevation = degrees;
        ++r.angleSets;
    }
    bool ParallelProjection() const override { return r.parallel; }
    void SetParallelProjection(bool value) override {
        r.parallel = value;
        ++r.projectionSets;
    }
    void DragRotate(int dx, int dy) override { r.drags.emplace_back(dx, dy); }
    void ResetCamera() override { ++r.resets; }
    void CentreOnPickedNodes() override { ++r.centres; }
    void DiscardDisplayLists() override { ++r.discards; }
    void Invalidate() override { ++r.invalidates; }

    ViewRequests r;

private:
    SessionContext& context_;
};
