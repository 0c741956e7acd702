#pragma once

#include <QString>

class QPushButton;
class ValueListEditor;

// The Video, Audio and Advanced grids of one window, addressed by the grid
// numbers profiles use in "Sort" (1 Video, 2 Audio, 3 Advanced).
struct ParameterGrids {
    ValueListEditor* video = nullptr;
    ValueListEditor* audio = nullptr;
    ValueListEditor* advanced = nullptr;

    // The grid for a grid number, nullptr for any other number.
    ValueListEditor* grid(int number) const;
};

// The rows the grids show before any profile has been loaded.
void FillInitialRows(const ParameterGrids& grids);

// Fills the grids from the profile at `path`. Does nothing when the file does
// not exist. `profileExt`, when given, receives "." + the profile's "Type".
// Throws ProfileError when a list parameter's "Index" lies outside its
// caption list; the rows appended so far stay, and the profile file is not
// rewritten.
void LoadProfileGrids(const ParameterGrids& grids, const QString& path, QString* profileExt);

// Collapses the grid to height 1, or expands it to 18 x rows + 1, following
// the button's caption.
void ToggleGroup(ValueListEditor* grid, QPushButton* button);
