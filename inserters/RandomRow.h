#pragma once

// Which row of an n-row result a draw r in [0, 1) lands on.
//
// The offset is r * n - 1 rounded to the nearest integer, halves to the even
// neighbour; a negative offset stays on the first row. The first row therefore
// comes up with probability 1.5/n, the last with 0.5/n and every other with 1/n --
// the draw the menus have always made, kept so that scripts built with it feel
// the same.
namespace RandomRow {

// The rounded offset itself, before a negative one is held at the first row.
int offset(float r, int rows);

// The zero-based row to read: 0 .. rows - 1, or -1 when there are no rows.
int index(float r, int rows);

}
