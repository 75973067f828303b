// Placeholder: filled in with its component.
