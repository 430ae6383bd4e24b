endif
