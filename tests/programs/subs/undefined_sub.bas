call ("nope")(1)
