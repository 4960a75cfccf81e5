// solver
