dim a
