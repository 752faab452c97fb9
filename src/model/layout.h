// Drawing dimensions and graph placement, in window coordinates (-1..1).
#pragma once

struct Layout {
  double robot_base[2];
  double disp_graph_origin[2];
  double torque1_graph_origin[2];
  double torque2_graph_origin[2];
  double graph_width;
  double torque1_graph_half_height, torque2_graph_half_height;
  double disp_graph_height, disp_graph_span;
  double hand_len, wrist_draw_len, wrist_draw_width;
  double mass_size, mass_size2;
  double cyl_arm_draw_len, cyl_arm_draw_width;
  double cyl_base_draw_len, cyl_base_draw_width;
  double l1_draw, l2_draw;
  double link1_draw_width, link2_draw_width;
  double joint1_radius, joint2_radius;
};

// The one layout of the window, sized for the default robots and work mass.
Layout default_layout();
