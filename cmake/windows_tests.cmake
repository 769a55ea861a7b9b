# Placeholder: the Windows-build tests are added here once they are written.
