// The machine's files behind host::FileSystem.
