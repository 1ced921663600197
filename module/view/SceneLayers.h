#pragma once
// The model-derived parts of the scene that live in display lists: ridge
// lines, slope outlines, layer names, axis tags, slope names and nodes, drawn
// from what the model layer's scene content gives.

#include <array>

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

// Whether the frame's picked nodes hold `node`.
bool IsPicked(const SceneFrame& frame, const NodeRef& node);
// A node's colour as GL components: the node colour, or for a picked node
// the node colour with its channels rotated.
std::array<float, 4> NodeColour(Colour nodeColour, bool picked);
// That colour as the ambient and diffuse material, with the nodes' specular.
void SetNodeMaterial(Colour nodeColour, bool picked);
// The nodes' specular (0.1, 0.1, 0.1) alone.
void SetNodeSpecular();
// A quadric for node spheres (filled, smooth normals outward); null when
// GLU has no memory for one.
GLUquadric* NewNodeQuadric();

// A node's sphere at its position, inside its pick names (1, level,
// sub-layer, node).
void DrawNodeSphere(GLUquadric* sphere, const NodeRef& node, const Vec3d& position, double radius);

// A colour value as GL colour components.
void SetGlColour(Colour colour, float alpha = 1.0f);
// Line stipple for a line type (solid for unknown codes).
void SetLineType(LineTypeCode type);
