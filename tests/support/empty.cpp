// Keeps the support library buildable while it has no other file.
