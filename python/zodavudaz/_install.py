"""Where the package was installed with its library; the install step writes the folder in."""

LIBRARY_DIR: str | None = None
