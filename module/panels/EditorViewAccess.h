#pragma once
// What the side panes ask of the editor view; the view implements it and
// puts itself in the session context while it exists.

class EditorViewAccess {
public:
    virtual ~EditorViewAccess() = default;
    virtual float Azimuth() const = 0;
    virtual float Elevation() const = 0;
    virtual void SetAzimuth(float degrees) = 0;
    virtual void SetElevation(float degrees) = 0;
    virtual bool ParallelProjection() const = 0;
    virtual void SetParallelProjection(bool parallel) = 0;
    // Turns the camera by a mouse movement of the Camera pane's drag pad,
    // then repaints.
    virtual void DragRotate(int dx, int dy) = 0;
    // The camera of key C.
    virtual void ResetCamera() = 0;
    // Key O: the target moves to the mean of the picked nodes.
    virtual void CentreOnPickedNodes() = 0;
    // Deletes display lists 1 to 8 so the next frame rebuilds them.
    virtual void DiscardDisplayLists() = 0;
    // Repaint at the next opportunity.
    virtual void Invalidate() = 0;
};
