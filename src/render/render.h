// The software renderer of the 3D view, in one include.
//
// State, one record per module, each reset by assigning a fresh record:
//   camera    (camera.h)        live camera, seven slots, view matrix, eye point
//   light     (light.h)         light angles and terms, light-follows-camera
//   motion    (motion.h)        continuous motion bits and steps, driver swing
//   render    (render_state.h)  page, view flags, tool modes, draw list length
//   overlays  (overlays.h)      axis cross, dummy symbols, light symbol points
//   frame     (frame_buffer.h)  frame buffer, z-buffer, view and clip, scratch
// The car model and the per-triangle work buffers belong to `model`.
//
// Start-up: createFrameBuffer(screen size), fillIconStrip(), setViewSize(client
// size), camera.live.focalLength = focalFromFov(fovDegrees). Each redraw while a
// model is loaded: [stepMotion()] prepareFrame() drawFrame(); then the window
// layer copies the view rectangle of frame.frameBits into the window.
#pragma once

#include "render/angles.h"
#include "render/camera.h"
#include "render/draw_frame.h"
#include "render/draw_list.h"
#include "render/edge_walker.h"
#include "render/frame_buffer.h"
#include "render/icon_strip.h"
#include "render/light.h"
#include "render/lines.h"
#include "render/motion.h"
#include "render/overlays.h"
#include "render/prepare_frame.h"
#include "render/render_state.h"
#include "render/shading.h"
#include "render/span_fillers.h"
#include "render/texture_view.h"
#include "render/transform.h"
#include "render/triangles.h"
#include "render/window_tint.h"
