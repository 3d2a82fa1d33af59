"""The package's version: the library's it was made with, which the loaded library must match."""

VERSION = (1, 0, 0)
