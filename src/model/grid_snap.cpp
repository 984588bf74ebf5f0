#include "model/grid_snap.h"

#include "model/shared_state.h"

#include <cmath>

double SnapToGrid(const SharedState& st, double v) {
    if (st.GridSize == 0) return v;
    const double grid = st.GridSize;
    return std::floor(v / grid + 0.5) * grid;
}
