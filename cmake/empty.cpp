// Placeholder so that an empty module still forms a library.
