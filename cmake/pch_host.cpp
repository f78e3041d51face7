// The precompiled headers of one kind are made with this file; the targets
// of that kind reuse them.
