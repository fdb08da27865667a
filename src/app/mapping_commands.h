// The Textures page's mapping controls and the mapping edit's mouse and keys.
#pragma once

bool isMappingControl(int id);
// 1 when the view must be drawn again; OK marks the model changed.
int mappingCommand(int id);
// Ends a running mapping edit with its coordinates restored, as Cancel does
// (before a page is laid out, a model opened or the editor closed).
void cancelMappingEdit();
// The edit's drags (the left button with the tool, the right with its
// variant), the arrow keys, and the size toggle above the texture.
void mappingPress(int x, int y);
int mappingDrag(int keys, float dx, float dy);
int mappingKey(int id);
int mappingRelease(int x, int y);
