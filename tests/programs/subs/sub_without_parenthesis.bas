sub a
