#pragma once
// How many GDI objects the process holds: what GetGuiResources says, or,
// where it says nothing (Wine answers 0), the live entries of the GDI handle
// table, asked one by one by their index (Wine takes a handle without its
// upper half).

namespace brackwell::demo {

int GdiObjectCount();

}  // namespace brackwell::demo
