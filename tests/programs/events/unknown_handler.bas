onkey "nothing"
