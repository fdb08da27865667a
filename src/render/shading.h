// Vertex lighting and the normal lines of the Normals view.
//
// One directional light with an ambient and a diffuse term, evaluated once per
// vertex slot from the stored normals and cached in model.vertexShades until
// model.renderCacheValid is cleared (any geometry, light or page change).
#pragma once

constexpr double NORMAL_LINE_LENGTH = 0.25;

// Shades of every vertex slot of every part, 0..shadeScale(); sets
// model.renderCacheValid.
void computeVertexShades();

// Far end of each vertex's normal line (model space, part-relative) into
// frame.normalEnds, for the frame preparation to transform and project.
void computeNormalLineEnds();
