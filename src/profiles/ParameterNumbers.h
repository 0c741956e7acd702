#pragma once

#include <QList>

class TNewInifile;

// The parameter numbers, below `count` (the profile's "Para"), that a loop
// over a profile's parameters has to visit: every number that [Main] names
// with an entry, and the first number of each run of numbers it does not
// name. All numbers of such a run stand for the same nameless parameter:
// each reads the section "[]", so after the first of them the rest show
// the same grid row, add the same switch and store the same values. Without
// the section they show, add and store nothing, so skipping them changes
// nothing; with it, a run shows its row and adds its switch once. A "Para"
// far beyond the numbered entries would otherwise keep the program busy for
// hours. The list is in ascending order; its length follows the size of
// [Main], not "Para".
QList<int> ParameterNumbers(const TNewInifile& ini, int count);
