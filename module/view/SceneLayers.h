#pragma once
// The model-derived parts of the scene that live in display lists: ridge
// lines, slope outlines, layer names, axis tags, slope names and nodes, drawn
// from what the model layer's scene content gives.

#include "view/SceneFrame.h"

struct GLUquadric;

void DrawRidgeLines(const SceneFrame& frame);
void DrawSlopeOutlines(const SceneFrame& frame);
void DrawLayerNames(const SceneFrame& frame);
void DrawAxisTags(const SceneFrame& frame);
void DrawSlopeNames(const SceneFrame& frame);
// Nodes as lit spheres with their pick names (1, level, sub-layer, node);
// picked nodes in the node colour with its channels rotated.
void DrawNodes(const SceneFrame& frame);

// A node's sphere at its position, inside its pick names (1, level,
// sub-layer, node).
void DrawNodeSphere(GLUquadric* sphere, const NodeRef& node, const Vec3d& position, double radius);

// A colour value as GL colour components.
void SetGlColour(Colour colour, float alpha = 1.0f);
// Line stipple for a line type (solid for unknown codes).
void SetLineType(LineTypeCode type);
